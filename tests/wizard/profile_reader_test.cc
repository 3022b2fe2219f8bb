// profile_reader_test.cc: the Windows profile rules of the configuration reader.
#include "profile_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "text_util.h"

namespace torvel {
namespace {

const std::string kLong300(300, 'x');

const std::string kIni =
    "; a comment line\n"
    "[System]\n"
    "Title=Torvel\n"
    "  WizardType  =   3   \r\n"
    "Quoted=\"  padded value  \"\n"
    "Single='single'\n"
    "HalfQuoted=\"only at the start\n"
    "Empty=\n"
    "Long=" + kLong300 + "\n"
    "LongQuoted=\"" + kLong300 + "\"\n"
    "Number=  42abc\n"
    "Negative=-17\n"
    "NotNumber=abc\n"
    "Huge=99999999999\n"
    "Equals=a=b\n"
    "Title=second Title is ignored\n"
    "[ message ]\n"
    "Message52=The viewer\\cannot be used\n"
    "[System]\n"
    "Later=in a second System section\n";

struct Case {
    const char* section;
    const char* key;
    std::string expected;
};

TEST(ProfileReader, FollowsTheWindowsProfileRules) {
    const CProfileReader reader = CProfileReader::FromText(kIni);
    const Case cases[] = {
        {"System", "Title", "Torvel"},
        {"system", "TITLE", "Torvel"},                      // names without regard to case
        {"System", "WizardType", "3"},                      // blanks around key and value
        {" System ", " WizardType ", "3"},
        {"System", "Quoted", "  padded value  "},           // quotes removed, inside kept
        {"System", "Single", "single"},
        {"System", "HalfQuoted", "\"only at the start"},    // unmatched quote stays
        {"System", "Empty", ""},
        {"System", "Missing", ""},                          // missing key
        {"Nowhere", "Title", ""},                           // missing section
        {"System", "Long", std::string(259, 'x')},          // cut to 259 characters
        {"System", "LongQuoted", std::string(259, 'x')},
        {"System", "Equals", "a=b"},                        // first '=' splits
        {"Message", "Message52", "The viewer\\cannot be used"},
        {"System", "Later", ""},                            // only the first section counts
    };
    for (const Case& c : cases) EXPECT_EQ(reader.GetString(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

TEST(ProfileReader, NumbersTakeLeadingDigits) {
    const CProfileReader reader = CProfileReader::FromText(kIni);
    EXPECT_EQ(reader.GetInt("System", "Number"), 42);
    EXPECT_EQ(reader.GetInt("System", "Negative"), -17);
    EXPECT_EQ(reader.GetInt("System", "NotNumber"), 0);
    EXPECT_EQ(reader.GetInt("System", "Missing"), 0);
    EXPECT_EQ(reader.GetInt("System", "Huge"), 2147483647);
    EXPECT_EQ(ProfileInt("+8x"), 8);
    EXPECT_EQ(ProfileInt("-99999999999"), -2147483647 - 1);
}

TEST(ProfileReader, CutCountsUtf16UnitsAndNeverSplitsACharacter) {
    // 258 ASCII characters and then a character outside the basic plane (2 units): 260 units.
    const std::string value = std::string(258, 'a') + "\xF0\x9F\x93\xB7" + "b";
    const CProfileReader reader = CProfileReader::FromText("[S]\nK=" + value + "\n");
    EXPECT_EQ(reader.GetString("S", "K"), std::string(258, 'a'));
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "\xC3\xA9";  // 300 times e-acute, one unit each
    const std::string cut = CProfileReader::FromText("[S]\nK=" + wide + "\n").GetString("S", "K");
    EXPECT_EQ(Utf16Length(cut), 259u);
    EXPECT_TRUE(IsValidUtf8(cut));
}

TEST(ProfileReader, ReadsUtf16AndLatin1Files) {
    const std::string utf8 = "[System]\nTitle=Cam\xC3\xA9ra\n";
    std::string utf16 = "\xFF\xFE";
    for (unsigned char c : std::string("[System]\nTitle=Cam")) utf16 += {static_cast<char>(c), '\0'};
    utf16 += {'\xE9', '\0', 'r', '\0', 'a', '\0', '\n', '\0'};
    EXPECT_EQ(CProfileReader::FromText(utf16).GetString("System", "Title"), "Cam\xC3\xA9ra");
    EXPECT_EQ(CProfileReader::FromText("\xEF\xBB\xBF" + utf8).GetString("System", "Title"), "Cam\xC3\xA9ra");
    EXPECT_EQ(CProfileReader::FromText("[System]\nTitle=Cam\xE9ra\n").GetString("System", "Title"), "Cam\xC3\xA9ra");
}

TEST(ProfileReader, MissingFileReadsEmptyAndMessagesGetLineBreaks) {
    EXPECT_EQ(ReadProfileString("/nonexistent/Config.ini", "System", "Title"), "");
    const auto file = std::filesystem::temp_directory_path() / ("torvel-profile-" + std::to_string(::getpid()) + ".ini");
    std::ofstream(file) << kIni;
    EXPECT_EQ(MessageText(file, 52), "The viewer\ncannot be used");
    EXPECT_EQ(MessageText(file, 53), "");
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace torvel
