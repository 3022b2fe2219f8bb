// pagehost_driver.cc: runs the page host (server, window thread, web control) on a folder of
// fixture pages for a browser test. The test script sends one JSON command a line on standard
// input; the driver performs it on the window thread through CWebControl and prints the flag
// and outputs as one JSON line. Page loads, element events, keys and slot events are printed
// as they happen. The driver starts no browser.
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <mutex>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "local_server.h"
#include "shim_assets.h"
#include "web_control.h"
#include "window_loop.h"

using namespace torvel;
using nlohmann::json;

namespace {

std::mutex g_out;
void Print(const json& line) {
    std::lock_guard lock(g_out);
    std::cout << line.dump() << std::endl;
}

PickerValue Picker(const json& v) {
    return {v.value("year", 0), v.value("month", 0), v.value("day", 0),
            v.value("hour", 0), v.value("minute", 0), v.value("second", 0)};
}
json PickerJson(const PickerValue& v) {
    return {{"year", v.year}, {"month", v.month}, {"day", v.day}, {"hour", v.hour}, {"minute", v.minute}, {"second", v.second}};
}
json RectJson(const Rect& r) { return {{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}}; }

class Driver : public IWindowHandler {
public:
    Driver(CWebControl& host, const std::string& htmlDir) : m_host(host), m_htmlDir(htmlDir) {
        EventTable table;
        for (const char* id : {"btn", "link", "missing_button"})
            table.push_back({id, EventKind::Click, [](const std::string& e) { Print({{"event", "click"}, {"id", e}}); }});
        table.push_back({"field", EventKind::Focus, [](const std::string& e) { Print({{"event", "focus"}, {"id", e}}); }});
        table.push_back({"field", EventKind::Blur, [](const std::string& e) { Print({{"event", "blur"}, {"id", e}}); }});
        m_host.SetEventTable(std::move(table));
    }

    void OnDocumentComplete(const std::string& address) override { Print({{"event", "load"}, {"address", address}}); }
    void OnTimer(unsigned id) override { Print({{"event", "timer"}, {"id", id}}); }
    std::intptr_t OnMessage(unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
    void OnKey(const KeyEvent& key) override {
        static const char* names[] = {"Enter", "Backspace", "Tab", "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight"};
        Print({{"event", "key"}, {"key", names[static_cast<int>(key.key)]}, {"down", key.down}, {"focus", key.focusId}});
    }
    void OnSlotEvent(const SlotEvent& e) override {
        Print({{"event", e.kind == SlotEvent::Kind::HeaderPress ? "headerpress" : "dblclick"},
               {"id", e.id}, {"column", e.column}, {"x", e.x}, {"width", e.width}, {"row", e.row}});
    }

    // Runs one command on the window thread.
    json Run(const json& c) {
        const std::string op = c.value("op", "");
        const std::string id = c.value("id", "");
        json r = {{"op", op}};
        std::string text;
        bool flag = false;
        int index = 7;  // a value the operation must overwrite or leave alone
        Rect rect{-1, -1, -1, -1};
        if (op == "Navigate") m_host.Navigate(c.value("page", "").empty() ? "" : m_htmlDir + c.value("page", ""));
        else if (op == "GetInputValue") { r["ok"] = m_host.GetInputValue(id, text); r["value"] = text; }
        else if (op == "SetInputValue") r["ok"] = m_host.SetInputValue(id, c.value("value", ""));
        else if (op == "GetInputChecked") { r["ok"] = m_host.GetInputChecked(id, flag); r["checked"] = flag; }
        else if (op == "SetInputChecked") r["ok"] = m_host.SetInputChecked(id, c.value("flag", 1));
        else if (op == "SetInputMaxLength") r["ok"] = m_host.SetInputMaxLength(id, c.value("value", 0));
        else if (op == "SetElementDisabled") r["ok"] = m_host.SetElementDisabled(id, c.value("disabled", true));
        else if (op == "ClearSelectOptions") r["ok"] = m_host.ClearSelectOptions(id);
        else if (op == "AddSelectOption") r["ok"] = m_host.AddSelectOption(id, c.value("text", ""), c.value("position", 0));
        else if (op == "SetSelectIndex") r["ok"] = m_host.SetSelectIndex(id, c.value("index", 0));
        else if (op == "GetSelectIndex") { r["ok"] = m_host.GetSelectIndex(id, index); r["index"] = index; }
        else if (op == "SetSelectValue") r["ok"] = m_host.SetSelectValue(id, c.value("value", ""));
        else if (op == "GetSelectValue") { r["ok"] = m_host.GetSelectValue(id, text); r["value"] = text; }
        else if (op == "FindSelectOption") { r["ok"] = m_host.FindSelectOption(id, c.value("text", ""), index); r["index"] = index; }
        else if (op == "GetElementHtml") { r["ok"] = m_host.GetElementHtml(id, text); r["html"] = text; }
        else if (op == "SetElementHtml") r["ok"] = m_host.SetElementHtml(id, c.value("html", ""));
        else if (op == "FocusElement") r["ok"] = m_host.FocusElement(id);
        else if (op == "GetElementRect") { r["ok"] = m_host.GetElementRect(id, rect); r["rect"] = RectJson(rect); }
        else if (op == "SetImageSource") r["ok"] = m_host.SetImageSource(id, c.value("src", ""));
        else if (op == "CallScript") r["ok"] = CallScriptForm(c);
        else if (op == "GetSlotWindow") {
            SlotWindow slot;
            r["ok"] = m_host.GetSlotWindow(id, slot);
            r["width"] = slot.width;
            r["height"] = slot.height;
            if (r["ok"]) m_slots[id] = slot;
        } else if (op.rfind("List", 0) == 0 || op.find("Picker") != std::string::npos || op == "CreateReportList" ||
                   op == "CreateVideoSurface" || op == "DestroySlotWidget") {
            r.update(RunSlot(op, m_slots[id], c));
        } else if (op == "SetBusy") m_host.SetBusy(c.value("on", true));
        else if (op == "SetTabConsumed") m_host.SetTabConsumed(c.value("on", true));
        else if (op == "MessageBox") m_host.MessageBox(c.value("text", ""), c.value("caption", ""));
        else if (op == "ShowNotice") {
            const NoticeResult n = m_host.ShowNotice({c.value("caption", ""), c.value("message", ""), c.value("check", ""), "OK"});
            r["closedWithOk"] = n.closedWithOk;
            r["checked"] = n.checked;
        } else if (op == "ShowAlias") {
            const AliasResult a = m_host.ShowAlias({"Torvel", "Choose a name", ".example.net", "OK", "Cancel"},
                                                   [](const std::string& s) { return s.find('_') == std::string::npos ? "" : "No underscores"; });
            r["confirmed"] = a.confirmed;
            r["alias"] = a.alias;
        } else if (op == "OpenUrl") r["ok"] = m_host.OpenUrl(c.value("url", ""));
        else if (op == "SetTimer") m_host.SetTimer(c.value("timer", 0), c.value("period", 100));
        else if (op == "KillTimer") m_host.KillTimer(c.value("timer", 0));
        else r["error"] = "unknown command";
        return r;
    }

private:
    bool CallScriptForm(const json& c) {
        const std::string name = c.value("name", "");
        const std::string form = c.value("form", "list");
        const json a = c.value("args", json::array());
        if (form == "none") return m_host.CJSCall::CallScript(name);
        if (form == "text") return m_host.CJSCall::CallScript(name, a[0].get<std::string>());
        if (form == "int") return m_host.CJSCall::CallScript(name, a[0].get<int>());
        if (form == "int2") return m_host.CJSCall::CallScript(name, a[0].get<int>(), a[1].get<int>());
        if (form == "int4")
            return m_host.CJSCall::CallScript(name, a[0].get<int>(), a[1].get<int>(), a[2].get<int>(), a[3].get<int>());
        return m_host.CJSCall::CallScript(name, a.get<std::vector<std::string>>());
    }

    json RunSlot(const std::string& op, const SlotWindow& slot, const json& c) {
        json r;
        if (op == "CreateReportList") {
            std::vector<ListColumn> columns;
            for (const auto& col : c["columns"]) columns.push_back({col.value("heading", ""), col.value("width", 0)});
            r["ok"] = m_host.CreateReportList(slot, columns);
        } else if (op == "ListInsertRow") {
            r["index"] = m_host.ListInsertRow(slot, c.value("index", -1), {c["texts"].get<std::vector<std::string>>(), c.value("data", 0)});
        } else if (op == "ListGetRows") {
            std::vector<ListRow> rows;
            r["ok"] = m_host.ListGetRows(slot, rows);
            r["rows"] = json::array();
            for (const auto& row : rows) r["rows"].push_back({{"texts", row.texts}, {"data", row.data}});
        } else if (op == "ListSetRows") {
            std::vector<ListRow> rows;
            for (const auto& row : c["rows"]) rows.push_back({row["texts"].get<std::vector<std::string>>(), row.value("data", 0)});
            r["ok"] = m_host.ListSetRows(slot, rows);
        } else if (op == "ListDeleteAllRows") r["ok"] = m_host.ListDeleteAllRows(slot);
        else if (op == "ListGetSelected") { int row = 9; r["ok"] = m_host.ListGetSelected(slot, row); r["row"] = row; }
        else if (op == "ListSelectRow") r["ok"] = m_host.ListSelectRow(slot, c.value("row", 0));
        else if (op == "ListFocus") r["ok"] = m_host.ListFocus(slot);
        else if (op == "ListGetHeaderRect") { Rect rect; r["ok"] = m_host.ListGetHeaderRect(slot, c.value("column", 0), rect); r["rect"] = RectJson(rect); }
        else if (op == "CreateDatePicker") r["ok"] = m_host.CreateDatePicker(slot, Picker(c["min"]), Picker(c["max"]));
        else if (op == "CreateTimePicker") r["ok"] = m_host.CreateTimePicker(slot);
        else if (op == "SetPickerValue") r["ok"] = m_host.SetPickerValue(slot, Picker(c["value"]));
        else if (op == "GetPickerValue") { PickerValue v; r["ok"] = m_host.GetPickerValue(slot, v); r["value"] = PickerJson(v); }
        else if (op == "CreateVideoSurface") r["ok"] = m_host.CreateVideoSurface(slot) != nullptr;
        else if (op == "DestroySlotWidget") r["ok"] = m_host.DestroySlotWidget(slot);
        return r;
    }

    CWebControl& m_host;
    std::string m_htmlDir;
    std::map<std::string, SlotWindow> m_slots;
};

std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: pagehost_driver HTML_DIR COMPONENT_JS\n";
        return 2;
    }
    std::string htmlDir = argv[1];
    if (htmlDir.back() != '/') htmlDir += '/';
    CSystemClock clock;
    CWindowLoop loop(clock);
    CWebControl host(loop, htmlDir);
    CLocalServer server(htmlDir, {kShimJs, ReadAll(argv[2]), kDialogsCss}, host);
    std::string error;
    if (!server.Start(0, error)) {
        std::cerr << error << std::endl;
        return 1;
    }
    host.SetVideoRelay(&server);
    Driver driver(host, htmlDir);
    host.SetHandler(&driver);
    loop.Post([&] { host.Navigate(htmlDir + "ops.html"); });
    Print({{"address", server.SessionAddress()}});

    std::thread input([&] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const json command = json::parse(line, nullptr, false);
            if (command.is_discarded()) continue;
            // Dialog commands wait for the user: run them without holding up the reader.
            loop.Post([&driver, command] { Print({{"result", driver.Run(command)}, {"seq", command.value("seq", 0)}}); });
        }
        loop.Quit(0);
    });
    const int code = loop.Run();
    server.Stop();
    host.SetHandler(nullptr);
    input.detach();
    return code;
}
