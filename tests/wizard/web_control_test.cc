// web_control_test.cc: page loads, event binding and element operations of CWebControl against
// a scripted page document (no browser).
#include "web_control.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace torvel {
namespace {

// A page that answers requests with a function of the test and records notes.
class ScriptedDocument : public IPageDocument {
public:
    std::function<Json(const Json&)> answer = [](const Json&) { return Json{{"ok", true}}; };
    std::vector<Json> requests, notes;
    std::future<Reply> Start(Json request) override {
        requests.push_back(request);
        std::promise<Reply> p;
        p.set_value(answer(request));
        return p.get_future();
    }
    void Notify(Json message) override { notes.push_back(message); }
    bool IsOpen() const override { return true; }
};

class Recorder : public IWindowHandler {
public:
    std::vector<std::string> loads;
    void OnDocumentComplete(const std::string& address) override { loads.push_back(address); }
    void OnTimer(unsigned) override {}
    std::intptr_t OnMessage(unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
    void OnKey(const KeyEvent&) override {}
    void OnSlotEvent(const SlotEvent&) override {}
};

class WebControlTest : public ::testing::Test {
protected:
    WebControlTest() : loop(clock), host(loop, "/opt/torvel/Html") {
        host.SetHandler(&recorder);
        host.SetEventTable({
            {"btn", EventKind::Click, [this](const std::string& id) { clicks.push_back(id); }},
            {"btn", EventKind::Click, [this](const std::string& id) { clicks.push_back(id + "#2"); }},
            {"field", EventKind::Focus, [this](const std::string& id) { clicks.push_back("focus " + id); }},
            {"absent", EventKind::Click, [this](const std::string& id) { clicks.push_back(id); }},
        });
    }
    // Runs everything queued on the window thread.
    void Drain() {
        bool done = false;
        loop.Post([&] { done = true; });
        while (!done) loop.PumpOnce(100);
    }
    void Load(const std::shared_ptr<ScriptedDocument>& doc, const std::string& path) {
        host.OnDocumentOpened(doc, path);
        Drain();
    }

    CSystemClock clock;
    CWindowLoop loop;
    CWebControl host;
    Recorder recorder;
    std::vector<std::string> clicks;
};

TEST_F(WebControlTest, BindsOnlyWhatThePageHasAndDeliversItsEvents) {
    host.Navigate("/opt/torvel/Html/1_Install.html");
    auto doc = std::make_shared<ScriptedDocument>();
    doc->answer = [](const Json& r) {
        // The page connects what it has: no "absent" element.
        Json bound = Json::array();
        for (const auto& e : r["entries"])
            if (e["id"] != "absent") bound.push_back(e);
        return Json{{"ok", true}, {"bound", bound}};
    };
    Load(doc, "/1_Install.html");
    ASSERT_EQ(doc->requests.size(), 1u);
    EXPECT_EQ(doc->requests[0]["entries"].size(), 3u);  // (btn, click) asked once
    EXPECT_EQ(recorder.loads, (std::vector<std::string>{"/opt/torvel/Html/1_Install.html"}));
    for (const char* id : {"btn", "absent"}) host.OnDocumentMessage(doc, {{"t", "ev"}, {"id", id}, {"ev", "click"}});
    host.OnDocumentMessage(doc, {{"t", "ev"}, {"id", "field"}, {"ev", "focus"}});
    host.OnDocumentMessage(doc, {{"t", "ev"}, {"id", "field"}, {"ev", "blur"}});
    Drain();
    EXPECT_EQ(clicks, (std::vector<std::string>{"btn", "btn#2", "focus field"}));
}

TEST_F(WebControlTest, APageOtherThanTheCurrentOneIsSentBackAndAnOldPageIsIgnored) {
    host.Navigate("/opt/torvel/Html/2_Camera_list.html");
    auto stray = std::make_shared<ScriptedDocument>();
    Load(stray, "/9_Wired_fixedip.html");
    EXPECT_TRUE(recorder.loads.empty());
    ASSERT_EQ(stray->notes.size(), 1u);
    EXPECT_EQ(stray->notes[0]["op"], "navigate");
    EXPECT_EQ(stray->notes[0]["url"], "/2_Camera_list.html");

    auto current = std::make_shared<ScriptedDocument>();
    current->answer = [](const Json&) { return Json{{"ok", true}, {"bound", Json::array({{{"id", "btn"}, {"ev", "click"}}})}}; };
    Load(current, "/2_Camera_list.html");
    host.OnDocumentMessage(stray, {{"t", "ev"}, {"id", "btn"}, {"ev", "click"}});
    Drain();
    EXPECT_TRUE(clicks.empty());
}

TEST_F(WebControlTest, OperationsFailWithoutAPageAndOutputsFollowTheRules) {
    int index = 5;
    std::string value = "kept";
    EXPECT_FALSE(host.FindSelectOption("list", "x", index));
    EXPECT_EQ(index, -1);  // set to -1 first, even on failure
    EXPECT_FALSE(host.GetInputValue("name", value));
    EXPECT_EQ(value, "kept");
    EXPECT_FALSE(host.CallScript("Camera_time"));

    host.Navigate("/opt/torvel/Html/1_Install.html");
    auto doc = std::make_shared<ScriptedDocument>();
    Load(doc, "/1_Install.html");
    doc->answer = [](const Json& r) {
        if (r["op"] == "getValue") return Json{{"ok", false}};
        return Json{{"ok", true}};
    };
    EXPECT_FALSE(host.GetInputValue("name", value));
    EXPECT_EQ(value, "kept");
    EXPECT_TRUE(host.CallScript("Setup_preview", 1, 0, -1, 3));
    EXPECT_EQ(doc->requests.back()["args"], Json::array({"1", "0", "-1", "3"}));
    EXPECT_TRUE(host.CallScript("Camera_setup_fail_message", std::vector<std::string>{"a", "", "", "", ""}));
    EXPECT_EQ(doc->requests.back()["args"].size(), 5u);
    EXPECT_FALSE(host.OpenUrl("javascript:alert(1)"));
    EXPECT_FALSE(host.OpenUrl("http://bad host/"));
    EXPECT_TRUE(host.OpenUrl("HTTPS://192.168.1.10:443"));

    // After Navigate the old page is gone: nothing is asked of it.
    const std::size_t asked = doc->requests.size();
    host.Navigate("/opt/torvel/Html/2_Camera_list.html");
    EXPECT_FALSE(host.SetInputValue("name", "x"));
    EXPECT_EQ(doc->requests.size(), asked);
    EXPECT_EQ(doc->notes.back()["url"], "/2_Camera_list.html");
    EXPECT_EQ(host.CurrentPagePath(), "/2_Camera_list.html");
    host.Navigate("/etc/passwd");
    EXPECT_EQ(host.CurrentPagePath(), kBlankPath);
}

}  // namespace
}  // namespace torvel
