// web_control.h: the page host over the browser: element operations, script calls, slots and
// dialogs as requests to the page's shim; page loads and events delivered on the window thread.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "event_binding.h"
#include "js_call.h"
#include "page_address.h"
#include "page_document.h"
#include "page_host.h"
#include "window_loop.h"

namespace torvel {

class CWebControl : public IPageHost, public CJSCall, public IDocumentListener {
public:
    // `loop` runs the window thread; `relay` (may be null) carries video surfaces.
    CWebControl(CWindowLoop& loop, std::string htmlDir, IVideoRelay* relay = nullptr);
    ~CWebControl() override;

    // The logic that receives page loads, timers, messages, keys and slot events.
    void SetHandler(IWindowHandler* handler);
    const CPageAddress& Pages() const { return m_pages; }
    void SetRequestLimit(std::chrono::milliseconds limit) { m_limit = limit; }
    // The server that carries video surfaces (it is made after the host, which it reports to).
    void SetVideoRelay(IVideoRelay* relay) { m_relay = relay; }

    // IPageHost
    void Navigate(const std::string& address) override;
    void SetEventTable(EventTable table) override;
    void SetWindowTitle(const std::string& title) override;
    void SetWindowSize(int width, int height) override;
    void SetTabConsumed(bool consumed) override;
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
    using CJSCall::CallScript;
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
    void KillTimer(unsigned id) override;
    void SetBusy(bool busy) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    void ShowAbout(const AboutTexts& texts) override;
    AliasResult ShowAlias(const AliasTexts& texts, const AliasValidator& validate) override;
    void ShowHelp(const std::string& address, const std::string& caption) override;
    NoticeResult ShowNotice(const NoticeTexts& texts) override;
    bool OpenUrl(const std::string& url) override;
    void EndDialog(int code) override;

    // IDocumentListener (server thread)
    void OnDocumentOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path) override;
    void OnDocumentMessage(const std::shared_ptr<IPageDocument>& doc, Json message) override;
    void OnDocumentClosed(const std::shared_ptr<IPageDocument>& doc) override;
    std::string CurrentPagePath() override;

private:
    Reply Element(const char* op, const std::string& id, Json args = Json::object());
    Reply Slot(const SlotWindow& slot, const char* method, Json args = Json::object());
    // Runs a modal request: the window thread keeps running timers and messages meanwhile.
    Reply Modal(Json request);
    void HandleOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path);
    void HandleMessage(const std::shared_ptr<IPageDocument>& doc, const Json& message);
    Json PageSetup() const;
    void UseDocument(std::shared_ptr<IPageDocument> doc);

    CWindowLoop& m_loop;
    CPageAddress m_pages;
    IVideoRelay* m_relay;
    IWindowHandler* m_handler = nullptr;
    CEventBinding m_events;
    std::uint64_t m_pageSerial = 0;
    std::string m_title;
    int m_width = 0, m_height = 0;
    bool m_busy = false;
    bool m_tabConsumed = false;
    mutable std::mutex m_pathMutex;
    std::string m_currentPath;  // URL path of the page to show; read by the server thread
    std::shared_ptr<IPageDocument> m_workerDoc;  // the current document, for worker threads
};

}  // namespace torvel
