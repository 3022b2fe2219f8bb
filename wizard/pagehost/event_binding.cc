// event_binding.cc: event table bookkeeping per page load.
#include "event_binding.h"

namespace torvel {

const char* EventName(EventKind kind) {
    switch (kind) {
        case EventKind::Click: return "click";
        case EventKind::Focus: return "focus";
        case EventKind::Blur: return "blur";
    }
    return "";
}

void CEventBinding::SetTable(EventTable table) {
    m_table = std::move(table);
    m_bound.clear();
}

Json CEventBinding::BindRequest() const {
    std::set<std::pair<std::string, std::string>> seen;
    Json pairs = Json::array();
    for (const auto& entry : m_table) {
        auto key = std::make_pair(entry.id, std::string(EventName(entry.kind)));
        if (seen.insert(key).second) pairs.push_back({{"id", key.first}, {"ev", key.second}});
    }
    return pairs;
}

void CEventBinding::SetBound(const Json& bound) {
    m_bound.clear();
    if (!bound.is_array()) return;
    for (const auto& pair : bound) {
        if (pair.is_object() && pair.contains("id") && pair.contains("ev") && pair["id"].is_string() &&
            pair["ev"].is_string())
            m_bound.emplace(pair["id"].get<std::string>(), pair["ev"].get<std::string>());
    }
}

bool CEventBinding::IsBound(const std::string& id, EventKind kind) const {
    return m_bound.count({id, EventName(kind)}) != 0;
}

int CEventBinding::Dispatch(const std::string& id, const std::string& event) const {
    if (m_bound.count({id, event}) == 0) return 0;
    int ran = 0;
    // Copy first: a handler may replace the table (or navigate) while we iterate.
    const EventTable table = m_table;
    for (const auto& entry : table) {
        if (entry.id == id && event == EventName(entry.kind) && entry.handler) {
            entry.handler(id);
            ++ran;
        }
    }
    return ran;
}

}  // namespace torvel
