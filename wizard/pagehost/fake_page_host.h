// fake_page_host.h: an in-memory page host for unit tests of the wizard logic: pages made of
// element records, recorded navigations, script calls and messages, events fired by the test
// and window timers in virtual time.
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clock.h"
#include "page_host.h"

namespace torvel {

struct FakeElement {
    std::string tag = "div";  // "input", "select", "img", "button", "div", "slot", ...
    std::string type;         // for inputs: "text", "password", "checkbox", "radio", ...
    std::string value;
    bool checked = false;
    bool disabled = false;
    int maxLength = -1;
    std::vector<std::string> options;  // option texts (= values)
    int selectedIndex = -1;
    std::string html;
    Rect rect;
    std::string src;
};

// What a page file holds for the fake: its elements and the script functions it defines.
struct FakePage {
    std::map<std::string, FakeElement> elements;
    std::set<std::string> duplicateIds;  // ids shared by several elements: every operation fails
    std::set<std::string> scripts;
};

struct FakeSlot {
    enum class Kind { None, List, Date, Time, Video } kind = Kind::None;
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    int selected = -1;
    bool focused = false;
    PickerValue value, min, max;
};

struct ScriptCallRecord {
    std::string name;
    std::vector<std::string> args;
    bool operator==(const ScriptCallRecord&) const = default;
};

class CFakePageHost : public IPageHost {
public:
    explicit CFakePageHost(std::string htmlDir = "/opt/torvel/Html/");

    void SetHandler(IWindowHandler* handler) { m_handler = handler; }
    const std::string& HtmlDir() const { return m_htmlDir; }

    // --- set-up by the test ---------------------------------------------------------------
    void DefinePage(const std::string& fileName, FakePage page);
    // Answers of the next dialogs, in order (a missing answer: alias cancelled, notice closed
    // with Escape).
    void QueueAliasAnswer(std::vector<std::string> typedTexts, bool cancelAtEnd = true);
    void QueueNoticeAnswer(NoticeResult answer);

    // --- driving ----------------------------------------------------------------------------
    // Completes a pending navigation: the page loads, events connect, OnDocumentComplete runs.
    bool CompleteNavigation();
    bool Click(const std::string& id) { return Fire(id, EventKind::Click); }
    bool Focus(const std::string& id) { return Fire(id, EventKind::Focus); }
    bool Blur(const std::string& id) { return Fire(id, EventKind::Blur); }
    bool Fire(const std::string& id, EventKind kind);  // false when no connected entry ran
    void PressKey(Key key, bool down = true, const std::string& focusId = {});
    void FireSlotEvent(const SlotEvent& event);
    std::intptr_t SendMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
    // Moves virtual time, completing navigations and running due timer ticks in time order.
    void AdvanceTime(std::int64_t ms);
    CManualClock& Clock() { return m_clock; }

    // --- what happened ------------------------------------------------------------------------
    std::vector<std::string> navigations;  // page addresses, in order
    std::vector<ScriptCallRecord> scriptCalls;
    std::vector<std::string> messages;  // texts of message boxes (any thread)
    std::vector<std::string> openedUrls;
    std::vector<std::string> helpPages;
    int aboutShown = 0;
    bool busy = false;
    bool tabConsumed = false;
    bool ended = false;
    int endCode = 0;
    std::string title;
    std::string CurrentPage() const { return m_currentFile; }  // file name of the loaded page
    FakeElement* Element(const std::string& id);            // of the loaded page
    FakeSlot* Slot(const std::string& id);
    bool HasTimer(unsigned id) const { return m_timers.count(id) != 0; }
    std::vector<std::string> MessagesCopy();

    // IPageHost
    void Navigate(const std::string& address) override;
    void SetEventTable(EventTable table) override { m_table = std::move(table); }
    void SetWindowTitle(const std::string& text) override { title = text; }
    void SetWindowSize(int width, int height) override { m_width = width, m_height = height; }
    void SetTabConsumed(bool consumed) override { tabConsumed = consumed; }
    bool GetInputValue(const std::string& id, std::string& value) override;
    bool SetInputValue(const std::string& id, const std::string& value) override;
    bool GetInputChecked(const std::string& id, bool& checked) override;
    bool SetInputChecked(const std::string& id, int flag) override;
    bool SetInputMaxLength(const std::string& id, int maxLength) override;
    bool SetElementDisabled(const std::string& id, bool disabled) override;
    bool ClearSelectOptions(const std::string& id) override;
    bool AddSelectOption(const std::string& id, const std::string& text, int position) override;
    bool SetSelectIndex(const std::string& id, int index) override;
    bool GetSelectIndex(const std::string& id, int& index) override;
    bool SetSelectValue(const std::string& id, const std::string& value) override;
    bool GetSelectValue(const std::string& id, std::string& value) override;
    bool FindSelectOption(const std::string& id, const std::string& text, int& index) override;
    bool GetElementHtml(const std::string& id, std::string& html) override;
    bool SetElementHtml(const std::string& id, const std::string& html) override;
    bool FocusElement(const std::string& id) override;
    bool GetElementRect(const std::string& id, Rect& rect) override;
    bool SetImageSource(const std::string& id, const std::string& source) override;
    bool CallScript(const std::string& name, const std::vector<std::string>& args) override;
    bool GetSlotWindow(const std::string& id, SlotWindow& window) override;
    bool CreateReportList(const SlotWindow& slot, const std::vector<ListColumn>& columns) override;
    int ListInsertRow(const SlotWindow& slot, int index, const ListRow& row) override;
    bool ListDeleteAllRows(const SlotWindow& slot) override;
    bool ListGetRows(const SlotWindow& slot, std::vector<ListRow>& rows) override;
    bool ListSetRows(const SlotWindow& slot, const std::vector<ListRow>& rows) override;
    bool ListGetSelected(const SlotWindow& slot, int& row) override;
    bool ListSelectRow(const SlotWindow& slot, int row) override;
    bool ListFocus(const SlotWindow& slot) override;
    bool ListGetHeaderRect(const SlotWindow& slot, int column, Rect& rect) override;
    bool CreateDatePicker(const SlotWindow& slot, const PickerValue& min, const PickerValue& max) override;
    bool CreateTimePicker(const SlotWindow& slot) override;
    bool SetPickerValue(const SlotWindow& slot, const PickerValue& value) override;
    bool GetPickerValue(const SlotWindow& slot, PickerValue& value) override;
    std::shared_ptr<IVideoSink> CreateVideoSurface(const SlotWindow& slot) override;
    bool DestroySlotWidget(const SlotWindow& slot) override;
    void SetTimer(unsigned id, unsigned periodMs) override;
    void KillTimer(unsigned id) override { m_timers.erase(id); }
    void SetBusy(bool on) override { busy = on; }
    void MessageBox(const std::string& text, const std::string& caption) override;
    void ShowAbout(const AboutTexts& texts) override;
    AliasResult ShowAlias(const AliasTexts& texts, const AliasValidator& validate) override;
    void ShowHelp(const std::string& address, const std::string& caption) override;
    NoticeResult ShowNotice(const NoticeTexts& texts) override;
    bool OpenUrl(const std::string& url) override;
    void EndDialog(int code) override { ended = true, endCode = code; }

    std::string focusedId;
    std::string lastFocused;  // id given the focus last (elements and slots)

private:
    struct Timer {
        unsigned period;
        std::int64_t due;
    };
    struct AliasAnswer {
        std::vector<std::string> texts;
        bool cancelAtEnd;
    };
    FakeElement* Find(const std::string& id);  // null for a missing or duplicated id
    FakeElement* Input(const std::string& id);
    FakeElement* Select(const std::string& id);
    FakeSlot* LiveSlot(const SlotWindow& slot, FakeSlot::Kind kind);

    std::string m_htmlDir;
    IWindowHandler* m_handler = nullptr;
    EventTable m_table;
    std::map<std::string, FakePage> m_pages;
    FakePage m_page;
    std::string m_currentFile;
    std::uint64_t m_serial = 0;
    std::set<std::pair<std::string, EventKind>> m_bound;
    std::map<std::string, FakeSlot> m_slots;
    std::optional<std::string> m_pendingFile;
    std::map<unsigned, Timer> m_timers;
    CManualClock m_clock;
    std::mutex m_messageMutex;
    std::deque<AliasAnswer> m_aliasAnswers;
    std::deque<NoticeResult> m_noticeAnswers;
    int m_width = 0, m_height = 0;
};

}  // namespace torvel
