// html_files_test.cc: access to the page folder and the shim injection.
#include "html_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace torvel {
namespace {

namespace fs = std::filesystem;

class PageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        base = fs::temp_directory_path() / ("torvel-html-" + std::to_string(::getpid()));
        fs::create_directories(base / "Html/images");
        std::ofstream(base / "Html/1_Install.html") << "<html></html>";
        std::ofstream(base / "Html/images/signal_1.gif") << "GIF89a";
        std::ofstream(base / "Html/Config.ini") << "[System]\n";
        std::ofstream(base / "Html/a b.html") << "x";
        std::ofstream(base / "secret.txt") << "outside";
        fs::create_symlink(base / "secret.txt", base / "Html/link_out.html");
        fs::create_symlink(base / "Html/1_Install.html", base / "Html/link_in.html");
    }
    void TearDown() override { fs::remove_all(base); }
    fs::path base;
};

TEST_F(PageFolder, ServesOnlyFilesInsideTheFolder) {
    const fs::path root = base / "Html";
    const struct {
        const char* path;
        bool served;
    } cases[] = {
        {"/1_Install.html", true},
        {"/images/signal_1.gif", true},
        {"/a%20b.html", true},
        {"/link_in.html", true},
        {"/../secret.txt", false},
        {"/images/../../secret.txt", false},
        {"/%2e%2e/secret.txt", false},
        {"/%2E%2E%2Fsecret.txt", false},
        {"/..%5csecret.txt", false},
        {"/link_out.html", false},     // a symlink leading out
        {"/Config.ini", false},        // configuration stays with the program
        {"/images", false},            // a folder
        {"/", false},
        {"/missing.html", false},
        {"/%zz.html", false},
        {"/1_Install.html%00.gif", false},
        {"/__torvel/shim.js", false},
        {"1_Install.html", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveInRoot(root, c.path).has_value(), c.served) << c.path;
}

TEST(ShimInjection, GoesFirstIntoHeadOrAsEarlyAsPossible) {
    const std::string tags = ShimTags();
    EXPECT_EQ(InjectShim("<!DOCTYPE html><html><HEAD lang=x><title>t</title></head></html>"),
              "<!DOCTYPE html><html><HEAD lang=x>" + tags + "<title>t</title></head></html>");
    EXPECT_EQ(InjectShim("<html><header>h</header><body></body></html>"), "<html>" + tags + "<header>h</header><body></body></html>");
    EXPECT_EQ(InjectShim("<!doctype html><p>bare</p>"), "<!doctype html>" + tags + "<p>bare</p>");
    EXPECT_EQ(InjectShim("plain"), tags + "plain");
    EXPECT_EQ(ContentTypeFor("x/Page.HTML"), "text/html; charset=utf-8");
    EXPECT_EQ(ContentTypeFor("signal_0.gif"), "image/gif");
}

}  // namespace
}  // namespace torvel
