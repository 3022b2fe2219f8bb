// shell_test.cc: single instance, the viewer component check, dialog texts, the alias check
// and the command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

#include "command_line.h"
#include "dialog_texts.h"
#include "single_instance.h"
#include "viewer_component.h"

namespace torvel {
namespace {

namespace fs = std::filesystem;

fs::path TempFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
    return folder;
}

TEST(SingleInstance, SecondStartOfTheSameTitleAsksTheFirstToShowItself) {
    const fs::path folder = TempFolder("torvel-instance");
    std::atomic<int> shown{0};
    {
        CSingleInstance first(folder);
        ASSERT_TRUE(first.Acquire("Torvel"));
        ASSERT_TRUE(first.Listen([&] { ++shown; }));
        CSingleInstance other(folder);
        EXPECT_TRUE(other.Acquire("Another title"));
        CSingleInstance second(folder);
        EXPECT_FALSE(second.Acquire("Torvel"));
        EXPECT_TRUE(second.AskFirstToShow());
        EXPECT_EQ(shown, 1);
        CSingleInstance caseDiffers(folder);
        EXPECT_TRUE(caseDiffers.Acquire("torvel"));  // the title compares exactly
    }
    CSingleInstance afterwards(folder);
    EXPECT_TRUE(afterwards.Acquire("Torvel"));  // the lock ends with its holder
    fs::remove_all(folder);
}

TEST(ViewerComponent, MustExistCarryItsSignatureAndBeText) {
    const fs::path folder = TempFolder("torvel-component");
    std::string content;
    EXPECT_FALSE(LoadViewerComponent(folder / "vendolux.js", content));
    const struct {
        const char* what;
        std::string text;
        bool usable;
    } cases[] = {
        {"signature", std::string(kViewerSignature) + "\nwindow.Vendolux = {};\n", true},
        {"signature, CRLF", std::string(kViewerSignature) + "\r\nx\r\n", true},
        {"empty", "", false},
        {"other script", "console.log(1);\n", false},
        {"NUL byte", std::string(kViewerSignature) + "\nx" + std::string(1, '\0'), false},
        {"not UTF-8", std::string(kViewerSignature) + "\n\xFF\xFE", false},
    };
    for (const auto& c : cases) {
        std::ofstream(folder / "vendolux.js", std::ios::binary | std::ios::trunc) << c.text;
        EXPECT_EQ(LoadViewerComponent(folder / "vendolux.js", content), c.usable) << c.what;
    }
    EXPECT_FALSE(LoadViewerComponent(folder, content));  // a folder is no component
    EXPECT_TRUE(LoadViewerComponent(TORVEL_COMPONENT_FILE, content)) << "the shipped component";
    fs::remove_all(folder);
}

TEST(DialogTexts, AboutBoxFollowsWizardType) {
    const fs::path folder = TempFolder("torvel-about");
    const fs::path ini = folder / "Config.ini";
    std::ofstream(ini) << "[System]\nTitle=Torvel\nWizardType=3\nAbout=About the wizard\nVer=\nCopyright=\n";
    AboutTexts t = AboutTextsFromConfig(ini, "1.2.3");
    EXPECT_EQ(t.caption, "About the wizard");
    EXPECT_EQ(t.versionLine, "Torvel   ");  // an empty Ver leaves the three blanks
    EXPECT_EQ(t.fileVersion, "1.2.3.0");
    EXPECT_FALSE(t.notice.empty());         // the built-in line stays
    EXPECT_TRUE(t.showIcon);
    std::ofstream(ini, std::ios::trunc) << "[System]\nTitle=Torvel\nWizardType=1\nVersion=Other\nCopyright=(C) Us\n";
    t = AboutTextsFromConfig(ini, "1.2.3");
    EXPECT_EQ(t.caption, "About Torvel");
    EXPECT_EQ(t.versionLine, "Torvel Version");
    EXPECT_EQ(t.notice, "(C) Us");
    EXPECT_FALSE(t.showIcon);
    EXPECT_TRUE(BrandIconShown("1", "Quorvant"));
    EXPECT_FALSE(BrandIconShown("2", "Generic"));
    fs::remove_all(folder);
}

TEST(DialogTexts, AliasCheck) {
    const struct {
        std::string alias;
        int message;
    } cases[] = {
        {"front-door-01", 0}, {std::string(30, 'a'), 0}, {"", 58}, {"front door", 57},
        {"front_door", 57}, {"caf\xC3\xA9", 57}, {"a.b", 57},
    };
    for (const auto& c : cases) EXPECT_EQ(AliasRefusal(c.alias), c.message) << c.alias;
}

TEST(CommandLine, OptionsAndErrors) {
    CommandLine options;
    std::string error;
    const char* good[] = {"torvel", "--no-browser", "--port", "8080", "--adapter", "veth0,veth1", "--html", "/x"};
    ASSERT_TRUE(ParseCommandLine(8, good, options, error)) << error;
    EXPECT_TRUE(options.noBrowser);
    EXPECT_EQ(options.port, 8080);
    EXPECT_EQ(options.adapters, "veth0,veth1");
    EXPECT_EQ(options.htmlDir, "/x");
    for (const std::vector<const char*>& bad : std::vector<std::vector<const char*>>{
             {"torvel", "--port"}, {"torvel", "--port", "65536"}, {"torvel", "--port", "8o"}, {"torvel", "--frob"}}) {
        CommandLine o;
        EXPECT_FALSE(ParseCommandLine(static_cast<int>(bad.size()), bad.data(), o, error)) << bad.back();
    }
}

}  // namespace
}  // namespace torvel
