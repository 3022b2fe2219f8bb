// fake_page_host_test.cc: the fake page host keeps the real host's rules (kinds, duplicate ids,
// missing entries skipped, pages replaced on navigation) and runs timers in virtual time.
#include "fake_page_host.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

class Logic : public IWindowHandler {
public:
    explicit Logic(IPageHost& host) : m_host(host) {}
    void OnDocumentComplete(const std::string& address) override {
        loads.push_back(address);
        m_host.SetTimer(1177, 1200);
    }
    void OnTimer(unsigned id) override {
        ticks.push_back(id);
        CallScript(m_host, "Camera_setup_progress", static_cast<int>(ticks.size()) * 5);
        if (ticks.size() == 3) m_host.KillTimer(id);
    }
    std::intptr_t OnMessage(unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
    void OnKey(const KeyEvent&) override {}
    void OnSlotEvent(const SlotEvent&) override {}
    std::vector<std::string> loads;
    std::vector<unsigned> ticks;

private:
    IPageHost& m_host;
};

TEST(FakePageHost, PagesTimersAndScriptsInVirtualTime) {
    CFakePageHost host("/opt/torvel/Html/");
    Logic logic(host);
    host.SetHandler(&logic);
    FakePage progress;
    progress.scripts = {"Camera_setup_progress"};
    progress.elements["Setting_progress_cancel"] = {};
    host.DefinePage("16_Setting_progress.html", progress);
    int clicks = 0;
    host.SetEventTable({{"Setting_progress_cancel", EventKind::Click, [&](const std::string&) { ++clicks; }},
                        {"Install_next", EventKind::Click, [&](const std::string&) { ++clicks; }}});
    host.Navigate("/opt/torvel/Html/16_Setting_progress.html");
    EXPECT_TRUE(logic.loads.empty());  // loading is not instantaneous
    host.AdvanceTime(1199);
    EXPECT_EQ(logic.loads, (std::vector<std::string>{"/opt/torvel/Html/16_Setting_progress.html"}));
    EXPECT_TRUE(logic.ticks.empty());
    host.AdvanceTime(10 * 1200);
    EXPECT_EQ(logic.ticks.size(), 3u);
    EXPECT_EQ(host.scriptCalls.back(), (ScriptCallRecord{"Camera_setup_progress", {"15"}}));
    EXPECT_TRUE(host.Click("Setting_progress_cancel"));
    EXPECT_FALSE(host.Click("Install_next"));  // not on this page: not connected
    EXPECT_EQ(clicks, 1);
}

TEST(FakePageHost, ElementRulesMatchTheRealHost) {
    CFakePageHost host;
    FakePage page;
    auto element = [](const char* tag, const char* type = "") {
        FakeElement e;
        e.tag = tag;
        e.type = type;
        return e;
    };
    page.elements["name"] = element("input", "text");
    page.elements["list"] = element("select");
    page.elements["twin"] = element("div");
    page.duplicateIds = {"twin"};
    host.DefinePage("p.html", page);
    host.Navigate(host.HtmlDir() + "p.html");
    host.CompleteNavigation();
    int index = 3;
    EXPECT_TRUE(host.FindSelectOption("list", "x", index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(host.FindSelectOption("missing", "x", index));
    EXPECT_TRUE(host.ClearSelectOptions("list"));
    EXPECT_FALSE(host.SetInputChecked("name", 1));  // not a check box
    EXPECT_FALSE(host.SetElementHtml("twin", "x"));
    EXPECT_FALSE(host.CallScript("Camera_time", {}));
    host.Navigate("");
    host.CompleteNavigation();
    std::string value;
    EXPECT_FALSE(host.GetInputValue("name", value));
}

}  // namespace
}  // namespace torvel
