// web_control.cc: page host requests, page loads and event delivery.
#include "web_control.h"

#include <cctype>

namespace torvel {
namespace {

Json PickerJson(const PickerValue& v) {
    return {{"year", v.year}, {"month", v.month}, {"day", v.day},
            {"hour", v.hour}, {"minute", v.minute}, {"second", v.second}};
}

bool IsWebAddress(const std::string& url) {
    std::string lower;
    for (char c : url.substr(0, 8)) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool scheme = lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
    if (!scheme) return false;
    for (unsigned char c : url)
        if (c <= 0x20 || c == 0x7F) return false;
    return true;
}

std::optional<Key> KeyFromName(const std::string& name) {
    if (name == "Enter") return Key::Enter;
    if (name == "Backspace") return Key::Backspace;
    if (name == "Tab") return Key::Tab;
    if (name == "ArrowUp") return Key::Up;
    if (name == "ArrowDown") return Key::Down;
    if (name == "ArrowLeft") return Key::Left;
    if (name == "ArrowRight") return Key::Right;
    return std::nullopt;
}

}  // namespace

CWebControl::CWebControl(CWindowLoop& loop, std::string htmlDir, IVideoRelay* relay)
    : m_loop(loop), m_pages(std::move(htmlDir)), m_relay(relay), m_currentPath(kBlankPath) {
    m_loop.SetTickHandler([this](unsigned id) {
        if (m_handler) m_handler->OnTimer(id);
    });
}

CWebControl::~CWebControl() { m_loop.SetTickHandler(nullptr); }

void CWebControl::UseDocument(std::shared_ptr<IPageDocument> doc) {
    {
        std::lock_guard lock(m_pathMutex);
        m_workerDoc = doc;
    }
    SetDocument(std::move(doc));
}

void CWebControl::SetHandler(IWindowHandler* handler) { m_handler = handler; }

// --- pages ------------------------------------------------------------------------------

void CWebControl::Navigate(const std::string& address) {
    const std::string path = address.empty() ? kBlankPath : m_pages.ToPath(address).value_or(kBlankPath);
    {
        std::lock_guard lock(m_pathMutex);
        m_currentPath = path;
    }
    // Everything written into the old page is lost with it; until the new page has loaded
    // there is no document to operate on.
    std::shared_ptr<IPageDocument> old = Document();
    UseDocument(nullptr);
    m_events.Clear();
    if (old) old->Notify({{"op", "navigate"}, {"url", path}});
}

std::string CWebControl::CurrentPagePath() {
    std::lock_guard lock(m_pathMutex);
    return m_currentPath;
}

void CWebControl::SetEventTable(EventTable table) { m_events.SetTable(std::move(table)); }

Json CWebControl::PageSetup() const {
    return {{"title", m_title}, {"width", m_width}, {"height", m_height}, {"busy", m_busy}, {"tab", m_tabConsumed}};
}

void CWebControl::SetWindowTitle(const std::string& title) {
    m_title = title;
    if (Document()) Document()->Notify({{"op", "setup"}, {"setup", PageSetup()}});
}

void CWebControl::SetWindowSize(int width, int height) {
    m_width = width;
    m_height = height;
    if (Document()) Document()->Notify({{"op", "setup"}, {"setup", PageSetup()}});
}

void CWebControl::SetTabConsumed(bool consumed) {
    m_tabConsumed = consumed;
    if (Document()) Document()->Notify({{"op", "setup"}, {"setup", PageSetup()}});
}

void CWebControl::OnDocumentOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path) {
    m_loop.Post([this, doc, path] { HandleOpened(doc, path); });
}

void CWebControl::OnDocumentMessage(const std::shared_ptr<IPageDocument>& doc, Json message) {
    m_loop.Post([this, doc, message = std::move(message)] { HandleMessage(doc, message); });
}

void CWebControl::OnDocumentClosed(const std::shared_ptr<IPageDocument>& doc) {
    m_loop.Post([this, doc] {
        if (Document() == doc) {
            UseDocument(nullptr);
            m_events.Clear();
        }
    });
}

void CWebControl::HandleOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path) {
    const std::string current = CurrentPagePath();
    if (path != current) {
        // The window decides which page is shown: a page the user reached by himself (browser
        // history, a typed address) is replaced by the current one.
        doc->Notify({{"op", "navigate"}, {"url", current}});
        return;
    }
    std::shared_ptr<IPageDocument> previous = Document();
    if (previous && previous != doc) previous->Notify({{"op", "superseded"}});
    UseDocument(doc);
    ++m_pageSerial;
    const Reply bound = doc->Request({{"op", "bind"}, {"entries", m_events.BindRequest()}, {"setup", PageSetup()}}, m_limit);
    m_events.SetBound(bound && bound->value("ok", false) ? (*bound)["bound"] : Json::array());
    if (m_handler && path != kBlankPath) m_handler->OnDocumentComplete(m_pages.ToAddress(path));
}

void CWebControl::HandleMessage(const std::shared_ptr<IPageDocument>& doc, const Json& message) {
    if (doc != Document() || !message.is_object() || !m_handler) return;
    const std::string type = message.value("t", "");
    if (type == "ev") {
        m_events.Dispatch(message.value("id", ""), message.value("ev", ""));
    } else if (type == "key") {
        const auto key = KeyFromName(message.value("key", ""));
        if (key) m_handler->OnKey({*key, message.value("phase", "down") == "down", message.value("focus", "")});
    } else if (type == "slot") {
        SlotEvent event;
        event.id = message.value("id", "");
        event.kind = message.value("ev", "") == "dblclick" ? SlotEvent::Kind::DoubleClick : SlotEvent::Kind::HeaderPress;
        event.column = message.value("column", -1);
        event.x = message.value("x", 0);
        event.width = message.value("width", 0);
        event.row = message.value("row", -1);
        m_handler->OnSlotEvent(event);
    }
}

// --- element operations -------------------------------------------------------------------

Reply CWebControl::Element(const char* op, const std::string& id, Json args) {
    if (!Document()) return std::nullopt;
    args["op"] = op;
    args["id"] = id;
    Reply reply = Document()->Request(std::move(args), m_limit);
    if (!reply || !reply->is_object() || !reply->value("ok", false)) return std::nullopt;
    return reply;
}

bool CWebControl::GetInputValue(const std::string& id, std::string& value) {
    const Reply r = Element("getValue", id);
    if (!r) return false;
    value = r->value("value", "");
    return true;
}

bool CWebControl::SetInputValue(const std::string& id, const std::string& value) {
    return Element("setValue", id, {{"value", value}}).has_value();
}

bool CWebControl::GetInputChecked(const std::string& id, bool& checked) {
    const Reply r = Element("getChecked", id);
    if (!r) return false;
    checked = r->value("checked", false);
    return true;
}

bool CWebControl::SetInputChecked(const std::string& id, int flag) {
    return Element("setChecked", id, {{"checked", flag == 1}}).has_value();
}

bool CWebControl::SetInputMaxLength(const std::string& id, int maxLength) {
    return Element("setMaxLength", id, {{"value", maxLength}}).has_value();
}

bool CWebControl::SetElementDisabled(const std::string& id, bool disabled) {
    return Element("setDisabled", id, {{"disabled", disabled}}).has_value();
}

bool CWebControl::ClearSelectOptions(const std::string& id) { return Element("clearOptions", id).has_value(); }

bool CWebControl::AddSelectOption(const std::string& id, const std::string& text, int position) {
    return Element("addOption", id, {{"text", text}, {"position", position}}).has_value();
}

bool CWebControl::SetSelectIndex(const std::string& id, int index) {
    return Element("setIndex", id, {{"index", index}}).has_value();
}

bool CWebControl::GetSelectIndex(const std::string& id, int& index) {
    const Reply r = Element("getIndex", id);
    if (!r) return false;
    index = r->value("index", -1);
    return true;
}

bool CWebControl::SetSelectValue(const std::string& id, const std::string& value) {
    return Element("setSelectValue", id, {{"value", value}}).has_value();
}

bool CWebControl::GetSelectValue(const std::string& id, std::string& value) {
    const Reply r = Element("getSelectValue", id);
    if (!r) return false;
    value = r->value("value", "");
    return true;
}

bool CWebControl::FindSelectOption(const std::string& id, const std::string& text, int& index) {
    index = -1;
    const Reply r = Element("findOption", id, {{"text", text}});
    if (!r) return false;
    index = r->value("index", -1);
    return true;
}

bool CWebControl::GetElementHtml(const std::string& id, std::string& html) {
    const Reply r = Element("getHtml", id);
    if (!r) return false;
    html = r->value("html", "");
    return true;
}

bool CWebControl::SetElementHtml(const std::string& id, const std::string& html) {
    return Element("setHtml", id, {{"html", html}}).has_value();
}

bool CWebControl::FocusElement(const std::string& id) { return Element("focus", id).has_value(); }

bool CWebControl::GetElementRect(const std::string& id, Rect& rect) {
    const Reply r = Element("getRect", id);
    if (!r) return false;
    rect = {r->value("left", 0), r->value("top", 0), r->value("right", 0), r->value("bottom", 0)};
    return true;
}

bool CWebControl::SetImageSource(const std::string& id, const std::string& source) {
    return Element("setSrc", id, {{"src", source}}).has_value();
}

bool CWebControl::CallScript(const std::string& name, const std::vector<std::string>& args) {
    return CJSCall::CallScript(name, args);
}

// --- slots ----------------------------------------------------------------------------------

bool CWebControl::GetSlotWindow(const std::string& id, SlotWindow& window) {
    const Reply r = Element("slotWindow", id);
    if (!r) return false;
    window = {id, m_pageSerial, r->value("width", 0), r->value("height", 0)};
    return true;
}

Reply CWebControl::Slot(const SlotWindow& slot, const char* method, Json args) {
    if (slot.page != m_pageSerial) return std::nullopt;  // the slot's page is gone
    return Element("slot", slot.id, {{"method", method}, {"args", std::move(args)}});
}

bool CWebControl::CreateReportList(const SlotWindow& slot, const std::vector<ListColumn>& columns) {
    Json cols = Json::array();
    for (const auto& c : columns) cols.push_back({{"heading", c.heading}, {"width", c.width}});
    return Slot(slot, "createList", {{"columns", cols}}).has_value();
}

int CWebControl::ListInsertRow(const SlotWindow& slot, int index, const ListRow& row) {
    const Reply r = Slot(slot, "insertRow", {{"index", index}, {"texts", row.texts}, {"data", row.data}});
    return r ? r->value("index", -1) : -1;
}

bool CWebControl::ListDeleteAllRows(const SlotWindow& slot) { return Slot(slot, "deleteAllRows").has_value(); }

bool CWebControl::ListGetRows(const SlotWindow& slot, std::vector<ListRow>& rows) {
    const Reply r = Slot(slot, "getRows");
    if (!r || !r->contains("rows") || !(*r)["rows"].is_array()) return false;
    rows.clear();
    for (const auto& row : (*r)["rows"])
        rows.push_back({row.value("texts", std::vector<std::string>{}), row.value("data", std::intptr_t{0})});
    return true;
}

bool CWebControl::ListSetRows(const SlotWindow& slot, const std::vector<ListRow>& rows) {
    Json list = Json::array();
    for (const auto& row : rows) list.push_back({{"texts", row.texts}, {"data", row.data}});
    return Slot(slot, "setRows", {{"rows", list}}).has_value();
}

bool CWebControl::ListGetSelected(const SlotWindow& slot, int& row) {
    const Reply r = Slot(slot, "getSelected");
    if (!r) return false;
    row = r->value("row", -1);
    return true;
}

bool CWebControl::ListSelectRow(const SlotWindow& slot, int row) {
    return Slot(slot, "selectRow", {{"row", row}}).has_value();
}

bool CWebControl::ListFocus(const SlotWindow& slot) { return Slot(slot, "focus").has_value(); }

bool CWebControl::ListGetHeaderRect(const SlotWindow& slot, int column, Rect& rect) {
    const Reply r = Slot(slot, "headerRect", {{"column", column}});
    if (!r) return false;
    rect = {r->value("left", 0), r->value("top", 0), r->value("right", 0), r->value("bottom", 0)};
    return true;
}

bool CWebControl::CreateDatePicker(const SlotWindow& slot, const PickerValue& min, const PickerValue& max) {
    return Slot(slot, "createDatePicker", {{"format", "yyyy/MM/dd"}, {"min", PickerJson(min)}, {"max", PickerJson(max)}})
        .has_value();
}

bool CWebControl::CreateTimePicker(const SlotWindow& slot) {
    return Slot(slot, "createTimePicker", {{"format", "HH:mm:ss"}}).has_value();
}

bool CWebControl::SetPickerValue(const SlotWindow& slot, const PickerValue& value) {
    return Slot(slot, "setValue", PickerJson(value)).has_value();
}

bool CWebControl::GetPickerValue(const SlotWindow& slot, PickerValue& value) {
    const Reply r = Slot(slot, "getValue");
    if (!r) return false;
    value = {r->value("year", 0), r->value("month", 0), r->value("day", 0),
             r->value("hour", 0), r->value("minute", 0), r->value("second", 0)};
    return true;
}

std::shared_ptr<IVideoSink> CWebControl::CreateVideoSurface(const SlotWindow& slot) {
    if (!m_relay || slot.page != m_pageSerial) return nullptr;
    IVideoRelay::Surface surface = m_relay->CreateSurface();
    if (!Slot(slot, "createVideo", {{"src", surface.url}})) return nullptr;
    return surface.sink;
}

bool CWebControl::DestroySlotWidget(const SlotWindow& slot) { return Slot(slot, "destroy").has_value(); }

// --- window services ----------------------------------------------------------------------

void CWebControl::SetTimer(unsigned id, unsigned periodMs) { m_loop.SetTimer(id, periodMs); }

void CWebControl::KillTimer(unsigned id) { m_loop.KillTimer(id); }

void CWebControl::SetBusy(bool busy) {
    m_busy = busy;
    if (Document()) Document()->Notify({{"op", "busy"}, {"on", busy}});
}

Reply CWebControl::Modal(Json request) {
    std::shared_ptr<IPageDocument> doc = Document();
    if (!doc) return std::nullopt;
    std::future<Reply> answer = doc->Start(std::move(request));
    if (!m_loop.IsWindowThread()) return answer.get();
    // Like a modal message loop: timers and messages go on while the user decides.
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        if (!m_loop.PumpOnce(20)) return std::nullopt;
    }
    return answer.get();
}

void CWebControl::MessageBox(const std::string& text, const std::string& caption) {
    if (!m_loop.IsWindowThread()) {
        // From a worker: the document reference belongs to the window thread.
        std::shared_ptr<IPageDocument> doc;
        {
            std::lock_guard lock(m_pathMutex);
            doc = m_workerDoc;
        }
        if (doc) doc->Start({{"op", "messageBox"}, {"text", text}, {"caption", caption}}).wait();
        return;
    }
    Modal({{"op", "messageBox"}, {"text", text}, {"caption", caption}});
}

void CWebControl::ShowAbout(const AboutTexts& t) {
    Modal({{"op", "about"},
           {"caption", t.caption},
           {"version", t.versionLine},
           {"fileVersion", t.fileVersion},
           {"notice", t.notice},
           {"icon", t.showIcon}});
}

AliasResult CWebControl::ShowAlias(const AliasTexts& t, const AliasValidator& validate) {
    Reply r = Modal({{"op", "alias"},
                     {"caption", t.caption},
                     {"explanation", t.explanation},
                     {"suffix", t.suffix},
                     {"ok", t.ok},
                     {"cancel", t.cancel}});
    while (r && r->value("action", "") == "ok") {
        const std::string alias = r->value("text", "");
        const std::string refusal = validate ? validate(alias) : std::string();
        if (refusal.empty()) {
            if (Document()) Document()->Notify({{"op", "aliasClose"}});
            return {true, alias};
        }
        // The refusal is shown over the dialog, which stays open for another try.
        r = Modal({{"op", "aliasRefuse"}, {"text", refusal}, {"caption", t.caption}});
    }
    return {false, {}};
}

void CWebControl::ShowHelp(const std::string& address, const std::string& caption) {
    const auto path = m_pages.ToPath(address);
    if (!path) return;
    Modal({{"op", "help"}, {"url", *path}, {"caption", caption}});
}

NoticeResult CWebControl::ShowNotice(const NoticeTexts& t) {
    const Reply r = Modal(
        {{"op", "notice"}, {"caption", t.caption}, {"message", t.message}, {"check", t.checkLabel}, {"ok", t.ok}});
    if (!r || r->value("action", "") != "ok") return {};
    return {true, r->value("checked", false)};
}

bool CWebControl::OpenUrl(const std::string& url) {
    if (!IsWebAddress(url) || !Document()) return false;
    Document()->Notify({{"op", "openUrl"}, {"url", url}});
    return true;
}

void CWebControl::EndDialog(int code) {
    if (Document()) Document()->Notify({{"op", "closed"}});
    m_loop.Quit(code);
}

}  // namespace torvel
