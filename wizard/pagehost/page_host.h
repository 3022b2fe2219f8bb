// page_host.h: the wizard window as its logic sees it (pages, elements, scripts, slots,
// dialogs, timers, cursor) and the handler through which the window calls the logic.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "page_types.h"

namespace torvel {

// What the window delivers to the wizard logic. Every call arrives on the window thread.
class IWindowHandler {
public:
    virtual ~IWindowHandler() = default;
    // A top-level page has loaded and its element events are connected. `address` is the
    // page folder followed by the page's file name.
    virtual void OnDocumentComplete(const std::string& address) = 0;
    virtual void OnTimer(unsigned id) = 0;
    // A message sent or posted by another thread (the finder's notifications, 1025).
    virtual std::intptr_t OnMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) = 0;
    // A key the page did not act on itself (see Key for which ones arrive).
    virtual void OnKey(const KeyEvent& key) = 0;
    virtual void OnSlotEvent(const SlotEvent& event) = 0;
};

// The frame sink of a video surface; PushJpeg may be called from any thread.
class IVideoSink {
public:
    virtual ~IVideoSink() = default;
    virtual void PushJpeg(const std::uint8_t* data, std::size_t size) = 0;
};

// The page host. Element operations, script calls, slots and timers are called on the window
// thread only; MessageBox may also be called from a worker thread. Element operations return
// true when exactly one element has the id (or name), it is of the expected kind and the
// browser accepted the call; on false an output is left unchanged unless said otherwise.
class IPageHost {
public:
    virtual ~IPageHost() = default;

    // --- pages and events -------------------------------------------------------------
    // Loads the page at `address` (page folder + file name); an empty address shows no page.
    virtual void Navigate(const std::string& address) = 0;
    // The table connected after each page load; set once, before the first page.
    virtual void SetEventTable(EventTable table) = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    virtual void SetWindowSize(int width, int height) = 0;
    // Tab is passed to the page unless consumed; Enter and Backspace outside fields always are.
    virtual void SetTabConsumed(bool consumed) = 0;

    // --- element operations ---------------------------------------------------------------
    virtual bool GetInputValue(const std::string& id, std::string& value) = 0;
    virtual bool SetInputValue(const std::string& id, const std::string& value) = 0;
    virtual bool GetInputChecked(const std::string& id, bool& checked) = 0;
    virtual bool SetInputChecked(const std::string& id, int flag) = 0;
    virtual bool SetInputMaxLength(const std::string& id, int maxLength) = 0;
    // Disabled property of an input, select, button or text area.
    virtual bool SetElementDisabled(const std::string& id, bool disabled) = 0;
    virtual bool ClearSelectOptions(const std::string& id) = 0;
    virtual bool AddSelectOption(const std::string& id, const std::string& text, int position) = 0;
    virtual bool SetSelectIndex(const std::string& id, int index) = 0;
    virtual bool GetSelectIndex(const std::string& id, int& index) = 0;
    virtual bool SetSelectValue(const std::string& id, const std::string& value) = 0;
    virtual bool GetSelectValue(const std::string& id, std::string& value) = 0;
    // Sets index to -1 first; true when the select element exists.
    virtual bool FindSelectOption(const std::string& id, const std::string& text, int& index) = 0;
    virtual bool GetElementHtml(const std::string& id, std::string& html) = 0;
    // Inserts markup: text from a camera must go through HtmlEscape first.
    virtual bool SetElementHtml(const std::string& id, const std::string& html) = 0;
    virtual bool FocusElement(const std::string& id) = 0;
    virtual bool GetElementRect(const std::string& id, Rect& rect) = 0;
    virtual bool SetImageSource(const std::string& id, const std::string& source) = 0;

    // --- script calls: every argument is a string, in the given order ------------------------
    virtual bool CallScript(const std::string& name, const std::vector<std::string>& args) = 0;

    // --- slots (viewer control stand-in) ----------------------------------------------------
    virtual bool GetSlotWindow(const std::string& id, SlotWindow& window) = 0;
    virtual bool CreateReportList(const SlotWindow& slot, const std::vector<ListColumn>& columns) = 0;
    // Inserts a row before `index` (at the end when index >= count); gives the row's index or -1.
    virtual int ListInsertRow(const SlotWindow& slot, int index, const ListRow& row) = 0;
    virtual bool ListDeleteAllRows(const SlotWindow& slot) = 0;
    virtual bool ListGetRows(const SlotWindow& slot, std::vector<ListRow>& rows) = 0;
    // Replaces every row (after a sort); the selection follows the row that was selected.
    virtual bool ListSetRows(const SlotWindow& slot, const std::vector<ListRow>& rows) = 0;
    virtual bool ListGetSelected(const SlotWindow& slot, int& row) = 0;  // -1 when none
    virtual bool ListSelectRow(const SlotWindow& slot, int row) = 0;
    virtual bool ListFocus(const SlotWindow& slot) = 0;
    // Header item rectangle in the slot's client coordinates.
    virtual bool ListGetHeaderRect(const SlotWindow& slot, int column, Rect& rect) = 0;
    // Date picker shown as "yyyy/MM/dd", limited to [min, max].
    virtual bool CreateDatePicker(const SlotWindow& slot, const PickerValue& min, const PickerValue& max) = 0;
    // Time picker shown as "HH:mm:ss" with up-down arrows.
    virtual bool CreateTimePicker(const SlotWindow& slot) = 0;
    virtual bool SetPickerValue(const SlotWindow& slot, const PickerValue& value) = 0;
    virtual bool GetPickerValue(const SlotWindow& slot, PickerValue& value) = 0;
    // A video surface in the slot; the sink stays valid (and harmless) after the page is gone.
    virtual std::shared_ptr<IVideoSink> CreateVideoSurface(const SlotWindow& slot) = 0;
    virtual bool DestroySlotWidget(const SlotWindow& slot) = 0;

    // --- window services ----------------------------------------------------------------
    virtual void SetTimer(unsigned id, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Wait cursor and mouse capture: a busy overlay over the page, kept across page loads.
    virtual void SetBusy(bool busy) = 0;
    // Modal message box with an OK button; returns when it is closed. Any thread.
    virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
    virtual void ShowAbout(const AboutTexts& texts) = 0;
    virtual AliasResult ShowAlias(const AliasTexts& texts, const AliasValidator& validate) = 0;
    // Shows one page of the page folder in the modal help window.
    virtual void ShowHelp(const std::string& address, const std::string& caption) = 0;
    virtual NoticeResult ShowNotice(const NoticeTexts& texts) = 0;
    // Opens an http: or https: address in a new browser tab; false for any other address.
    virtual bool OpenUrl(const std::string& url) = 0;
    // Closes the wizard window: the program ends with `code`.
    virtual void EndDialog(int code) = 0;
};

// The six calling forms on top of IPageHost::CallScript.
bool CallScript(IPageHost& host, const std::string& name);
bool CallScript(IPageHost& host, const std::string& name, const std::string& text);
bool CallScript(IPageHost& host, const std::string& name, int value);
bool CallScript(IPageHost& host, const std::string& name, int a, int b);
bool CallScript(IPageHost& host, const std::string& name, int a, int b, int c, int d);
bool CallScript(IPageHost& host, const std::string& name, const std::vector<std::string>& texts);

}  // namespace torvel
