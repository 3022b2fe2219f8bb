// profile_reader.h: reads INI files with the Windows profile rules the configuration relies on.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace torvel {

// Rules: section and key names match without regard to ASCII letter case; blanks around names
// and values are removed; a value enclosed in matching quotes (" or ') loses them; a missing
// file, section or key reads as the empty string; a value is cut to its first 259 characters
// (UTF-16 code units). Lines starting with ';' are comments. The first section of a name and
// the first key of a name in it count. Files may be UTF-8 (with or without a byte order mark),
// UTF-16LE with a byte order mark, or 8-bit Latin-1 (taken when the bytes are not UTF-8).
class CProfileReader {
public:
    static constexpr std::size_t kMaxValueUnits = 259;

    CProfileReader() = default;
    explicit CProfileReader(const std::filesystem::path& file);
    static CProfileReader FromText(const std::string& bytes);

    std::string GetString(const std::string& section, const std::string& key) const;
    // Decimal with the wide-string-to-integer rule: leading blanks, a sign, leading digits;
    // no digits give 0; values beyond the int range are clamped.
    int GetInt(const std::string& section, const std::string& key) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> m_sections;
};

// One value, read afresh from the file (what each dialog does when it opens).
std::string ReadProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key);

// The wide-string-to-integer rule on its own.
int ProfileInt(const std::string& text);

// A numbered message from [Message] "Message<n>", backslashes turned into line breaks.
std::string MessageText(const std::filesystem::path& configFile, int number);
std::string BackslashesToLineBreaks(std::string text);

}  // namespace torvel
