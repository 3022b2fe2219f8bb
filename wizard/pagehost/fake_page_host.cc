// fake_page_host.cc: in-memory pages, recorded calls and virtual-time timers.
#include "fake_page_host.h"

#include <algorithm>

#include "text_util.h"

namespace torvel {

CFakePageHost::CFakePageHost(std::string htmlDir) : m_htmlDir(std::move(htmlDir)) {
    if (m_htmlDir.empty() || m_htmlDir.back() != '/') m_htmlDir += '/';
}

void CFakePageHost::DefinePage(const std::string& fileName, FakePage page) { m_pages[fileName] = std::move(page); }

void CFakePageHost::QueueAliasAnswer(std::vector<std::string> typedTexts, bool cancelAtEnd) {
    m_aliasAnswers.push_back({std::move(typedTexts), cancelAtEnd});
}

void CFakePageHost::QueueNoticeAnswer(NoticeResult answer) { m_noticeAnswers.push_back(answer); }

// --- pages and events ---------------------------------------------------------------------

void CFakePageHost::Navigate(const std::string& address) {
    navigations.push_back(address);
    m_page = {};
    m_slots.clear();
    m_bound.clear();
    m_currentFile.clear();
    const bool inFolder = address.size() > m_htmlDir.size() && address.compare(0, m_htmlDir.size(), m_htmlDir) == 0;
    m_pendingFile = inFolder ? address.substr(m_htmlDir.size()) : std::string();
}

bool CFakePageHost::CompleteNavigation() {
    if (!m_pendingFile) return false;
    const std::string file = *m_pendingFile;
    m_pendingFile.reset();
    if (file.empty()) return true;  // an empty address shows no page
    auto page = m_pages.find(file);
    m_page = page == m_pages.end() ? FakePage{} : page->second;
    m_currentFile = file;
    ++m_serial;
    for (const auto& entry : m_table)
        if (Find(entry.id)) m_bound.emplace(entry.id, entry.kind);
    if (m_handler) m_handler->OnDocumentComplete(m_htmlDir + file);
    return true;
}

bool CFakePageHost::Fire(const std::string& id, EventKind kind) {
    if (!m_bound.count({id, kind})) return false;
    if (kind == EventKind::Focus) focusedId = id;
    if (kind == EventKind::Blur && focusedId == id) focusedId.clear();
    const EventTable table = m_table;
    bool ran = false;
    for (const auto& entry : table) {
        if (entry.id == id && entry.kind == kind && entry.handler) {
            entry.handler(id);
            ran = true;
        }
    }
    return ran;
}

void CFakePageHost::PressKey(Key key, bool down, const std::string& focusId) {
    if (m_handler) m_handler->OnKey({key, down, focusId.empty() ? focusedId : focusId});
}

void CFakePageHost::FireSlotEvent(const SlotEvent& event) {
    if (m_handler) m_handler->OnSlotEvent(event);
}

std::intptr_t CFakePageHost::SendMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    return m_handler ? m_handler->OnMessage(msg, wparam, lparam) : 0;
}

void CFakePageHost::SetTimer(unsigned id, unsigned periodMs) {
    const unsigned period = std::max(1u, periodMs);
    m_timers[id] = {period, m_clock.NowMs() + period};
}

void CFakePageHost::AdvanceTime(std::int64_t ms) {
    const std::int64_t end = m_clock.NowMs() + ms;
    CompleteNavigation();
    for (;;) {
        auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                     [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == m_timers.end() || next->second.due > end) break;
        const unsigned id = next->first;
        m_clock.Advance(next->second.due - m_clock.NowMs());
        next->second.due = m_clock.NowMs() + next->second.period;
        if (m_handler) m_handler->OnTimer(id);
        CompleteNavigation();
    }
    m_clock.Advance(end - m_clock.NowMs());
}

// --- element operations -----------------------------------------------------------------

FakeElement* CFakePageHost::Element(const std::string& id) {
    auto it = m_page.elements.find(id);
    return it == m_page.elements.end() ? nullptr : &it->second;
}

FakeElement* CFakePageHost::Find(const std::string& id) {
    if (m_currentFile.empty() || m_page.duplicateIds.count(id)) return nullptr;
    return Element(id);
}

FakeElement* CFakePageHost::Input(const std::string& id) {
    FakeElement* e = Find(id);
    return e && e->tag == "input" ? e : nullptr;
}

FakeElement* CFakePageHost::Select(const std::string& id) {
    FakeElement* e = Find(id);
    return e && e->tag == "select" ? e : nullptr;
}

bool CFakePageHost::GetInputValue(const std::string& id, std::string& value) {
    FakeElement* e = Input(id);
    if (e) value = e->value;
    return e != nullptr;
}

bool CFakePageHost::SetInputValue(const std::string& id, const std::string& value) {
    FakeElement* e = Input(id);
    if (e) e->value = value;
    return e != nullptr;
}

bool CFakePageHost::GetInputChecked(const std::string& id, bool& checked) {
    FakeElement* e = Input(id);
    if (!e || (e->type != "checkbox" && e->type != "radio")) return false;
    checked = e->checked;
    return true;
}

bool CFakePageHost::SetInputChecked(const std::string& id, int flag) {
    FakeElement* e = Input(id);
    if (!e || (e->type != "checkbox" && e->type != "radio")) return false;
    e->checked = flag == 1;
    return true;
}

bool CFakePageHost::SetInputMaxLength(const std::string& id, int maxLength) {
    FakeElement* e = Input(id);
    if (e) e->maxLength = maxLength;
    return e != nullptr;
}

bool CFakePageHost::SetElementDisabled(const std::string& id, bool disabled) {
    FakeElement* e = Find(id);
    if (!e || (e->tag != "input" && e->tag != "select" && e->tag != "button" && e->tag != "textarea")) return false;
    e->disabled = disabled;
    return true;
}

bool CFakePageHost::ClearSelectOptions(const std::string& id) {
    FakeElement* e = Select(id);
    if (!e) return false;
    e->options.clear();
    e->selectedIndex = -1;
    return true;
}

bool CFakePageHost::AddSelectOption(const std::string& id, const std::string& text, int position) {
    FakeElement* e = Select(id);
    if (!e) return false;
    const auto at = position < 0 || position > static_cast<int>(e->options.size()) ? e->options.size()
                                                                                    : static_cast<std::size_t>(position);
    e->options.insert(e->options.begin() + static_cast<std::ptrdiff_t>(at), text);
    if (e->selectedIndex < 0) e->selectedIndex = 0;  // a single-choice list always selects one
    else if (static_cast<std::size_t>(e->selectedIndex) >= at) ++e->selectedIndex;
    return true;
}

bool CFakePageHost::SetSelectIndex(const std::string& id, int index) {
    FakeElement* e = Select(id);
    if (!e) return false;
    e->selectedIndex = index >= 0 && index < static_cast<int>(e->options.size()) ? index : -1;
    return true;
}

bool CFakePageHost::GetSelectIndex(const std::string& id, int& index) {
    FakeElement* e = Select(id);
    if (e) index = e->selectedIndex;
    return e != nullptr;
}

bool CFakePageHost::SetSelectValue(const std::string& id, const std::string& value) {
    FakeElement* e = Select(id);
    if (!e) return false;
    auto it = std::find(e->options.begin(), e->options.end(), value);
    e->selectedIndex = it == e->options.end() ? -1 : static_cast<int>(it - e->options.begin());
    return true;
}

bool CFakePageHost::GetSelectValue(const std::string& id, std::string& value) {
    FakeElement* e = Select(id);
    if (!e) return false;
    value = e->selectedIndex >= 0 ? e->options[static_cast<std::size_t>(e->selectedIndex)] : std::string();
    return true;
}

bool CFakePageHost::FindSelectOption(const std::string& id, const std::string& text, int& index) {
    index = -1;
    FakeElement* e = Select(id);
    if (!e) return false;
    auto it = std::find(e->options.begin(), e->options.end(), text);
    if (it != e->options.end()) index = static_cast<int>(it - e->options.begin());
    return true;
}

bool CFakePageHost::GetElementHtml(const std::string& id, std::string& html) {
    FakeElement* e = Find(id);
    if (e) html = e->html;
    return e != nullptr;
}

bool CFakePageHost::SetElementHtml(const std::string& id, const std::string& html) {
    FakeElement* e = Find(id);
    if (e) e->html = html;
    return e != nullptr;
}

bool CFakePageHost::FocusElement(const std::string& id) {
    if (!Find(id)) return false;
    lastFocused = id;
    return true;
}

bool CFakePageHost::GetElementRect(const std::string& id, Rect& rect) {
    FakeElement* e = Find(id);
    if (e) rect = e->rect;
    return e != nullptr;
}

bool CFakePageHost::SetImageSource(const std::string& id, const std::string& source) {
    FakeElement* e = Find(id);
    if (!e || e->tag != "img") return false;
    e->src = source;
    return true;
}

bool CFakePageHost::CallScript(const std::string& name, const std::vector<std::string>& args) {
    if (m_currentFile.empty() || !m_page.scripts.count(name)) return false;
    scriptCalls.push_back({name, args});
    return true;
}

// --- slots ----------------------------------------------------------------------------------

FakeSlot* CFakePageHost::Slot(const std::string& id) {
    auto it = m_slots.find(id);
    return it == m_slots.end() ? nullptr : &it->second;
}

bool CFakePageHost::GetSlotWindow(const std::string& id, SlotWindow& window) {
    FakeElement* e = Find(id);
    if (!e || e->tag != "slot") return false;
    window = {id, m_serial, e->rect.right - e->rect.left, e->rect.bottom - e->rect.top};
    m_slots.try_emplace(id);
    return true;
}

FakeSlot* CFakePageHost::LiveSlot(const SlotWindow& slot, FakeSlot::Kind kind) {
    if (slot.page != m_serial) return nullptr;
    FakeSlot* s = Slot(slot.id);
    return s && (kind == FakeSlot::Kind::None || s->kind == kind) ? s : nullptr;
}

bool CFakePageHost::CreateReportList(const SlotWindow& slot, const std::vector<ListColumn>& columns) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s) return false;
    *s = {};
    s->kind = FakeSlot::Kind::List;
    s->columns = columns;
    return true;
}

int CFakePageHost::ListInsertRow(const SlotWindow& slot, int index, const ListRow& row) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s) return -1;
    const int at = index < 0 || index > static_cast<int>(s->rows.size()) ? static_cast<int>(s->rows.size()) : index;
    s->rows.insert(s->rows.begin() + at, row);
    if (s->selected >= at) ++s->selected;
    return at;
}

bool CFakePageHost::ListDeleteAllRows(const SlotWindow& slot) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s) return false;
    s->rows.clear();
    s->selected = -1;
    return true;
}

bool CFakePageHost::ListGetRows(const SlotWindow& slot, std::vector<ListRow>& rows) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (s) rows = s->rows;
    return s != nullptr;
}

bool CFakePageHost::ListSetRows(const SlotWindow& slot, const std::vector<ListRow>& rows) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s) return false;
    s->rows = rows;
    if (s->selected >= static_cast<int>(rows.size())) s->selected = -1;
    return true;
}

bool CFakePageHost::ListGetSelected(const SlotWindow& slot, int& row) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (s) row = s->selected;
    return s != nullptr;
}

bool CFakePageHost::ListSelectRow(const SlotWindow& slot, int row) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s || row < -1 || row >= static_cast<int>(s->rows.size())) return false;
    s->selected = row;
    return true;
}

bool CFakePageHost::ListFocus(const SlotWindow& slot) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s) return false;
    s->focused = true;
    lastFocused = slot.id;
    return true;
}

bool CFakePageHost::ListGetHeaderRect(const SlotWindow& slot, int column, Rect& rect) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::List);
    if (!s || column < 0 || column >= static_cast<int>(s->columns.size())) return false;
    int left = 0;
    for (int c = 0; c < column; ++c) left += s->columns[static_cast<std::size_t>(c)].width;
    rect = {left, 0, left + s->columns[static_cast<std::size_t>(column)].width, 24};
    return true;
}

bool CFakePageHost::CreateDatePicker(const SlotWindow& slot, const PickerValue& min, const PickerValue& max) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s) return false;
    *s = {};
    s->kind = FakeSlot::Kind::Date;
    s->min = min;
    s->max = max;
    return true;
}

bool CFakePageHost::CreateTimePicker(const SlotWindow& slot) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s) return false;
    *s = {};
    s->kind = FakeSlot::Kind::Time;
    return true;
}

bool CFakePageHost::SetPickerValue(const SlotWindow& slot, const PickerValue& value) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s || (s->kind != FakeSlot::Kind::Date && s->kind != FakeSlot::Kind::Time)) return false;
    s->value = value;
    return true;
}

bool CFakePageHost::GetPickerValue(const SlotWindow& slot, PickerValue& value) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s || (s->kind != FakeSlot::Kind::Date && s->kind != FakeSlot::Kind::Time)) return false;
    value = s->value;
    return true;
}

namespace {
struct NullSink final : IVideoSink {
    void PushJpeg(const std::uint8_t*, std::size_t) override {}
};
}  // namespace

std::shared_ptr<IVideoSink> CFakePageHost::CreateVideoSurface(const SlotWindow& slot) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (!s) return nullptr;
    *s = {};
    s->kind = FakeSlot::Kind::Video;
    return std::make_shared<NullSink>();
}

bool CFakePageHost::DestroySlotWidget(const SlotWindow& slot) {
    FakeSlot* s = LiveSlot(slot, FakeSlot::Kind::None);
    if (s) *s = {};
    return s != nullptr;
}

// --- dialogs ----------------------------------------------------------------------------------

void CFakePageHost::MessageBox(const std::string& text, const std::string&) {
    std::lock_guard lock(m_messageMutex);
    messages.push_back(text);
}

std::vector<std::string> CFakePageHost::MessagesCopy() {
    std::lock_guard lock(m_messageMutex);
    return messages;
}

void CFakePageHost::ShowAbout(const AboutTexts&) { ++aboutShown; }

AliasResult CFakePageHost::ShowAlias(const AliasTexts& texts, const AliasValidator& validate) {
    if (m_aliasAnswers.empty()) return {};
    AliasAnswer answer = m_aliasAnswers.front();
    m_aliasAnswers.pop_front();
    for (const std::string& typed : answer.texts) {
        // The field takes at most 30 characters, as the real dialog's does.
        const std::string text = TruncateUtf16(typed, 30);
        const std::string refusal = validate ? validate(text) : std::string();
        if (refusal.empty()) return {true, text};
        MessageBox(refusal, texts.caption);
    }
    return {};
}

void CFakePageHost::ShowHelp(const std::string& address, const std::string&) { helpPages.push_back(address); }

NoticeResult CFakePageHost::ShowNotice(const NoticeTexts&) {
    if (m_noticeAnswers.empty()) return {};
    NoticeResult answer = m_noticeAnswers.front();
    m_noticeAnswers.pop_front();
    return answer;
}

bool CFakePageHost::OpenUrl(const std::string& url) {
    if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) return false;
    openedUrls.push_back(url);
    return true;
}

}  // namespace torvel
