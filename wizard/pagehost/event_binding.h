// event_binding.h: the element event table and which of its entries the loaded page connected.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "page_document.h"
#include "page_types.h"

namespace torvel {

const char* EventName(EventKind kind);  // "click", "focus", "blur"

class CEventBinding {
public:
    void SetTable(EventTable table);
    // The (id, event) pairs to ask the page for, each once: [{"id":..,"ev":..}, ...].
    Json BindRequest() const;
    // Records the pairs the page connected (answer field "bound", same form); forgets the rest.
    void SetBound(const Json& bound);
    void Clear() { m_bound.clear(); }
    bool IsBound(const std::string& id, EventKind kind) const;
    // Runs the handlers of every connected entry for (id, event); returns how many ran.
    int Dispatch(const std::string& id, const std::string& event) const;

private:
    EventTable m_table;
    std::set<std::pair<std::string, std::string>> m_bound;
};

}  // namespace torvel
