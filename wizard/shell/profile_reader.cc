// profile_reader.cc: INI parsing with the Windows profile rules.
#include "profile_reader.h"

#include <climits>
#include <fstream>
#include <sstream>

#include "text_util.h"

namespace torvel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The file's bytes as UTF-8 text.
std::string DecodeFile(const std::string& bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::string out;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            char32_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
                const char32_t low =
                    static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            AppendUtf8(out, unit);
        }
        return out;
    }
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    for (unsigned char c : bytes) AppendUtf8(out, c);
    return out;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

CProfileReader::CProfileReader(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *this = FromText(bytes.str());
}

CProfileReader CProfileReader::FromText(const std::string& bytes) {
    CProfileReader reader;
    std::istringstream text(DecodeFile(bytes));
    Section* current = nullptr;
    std::string line;
    while (std::getline(text, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            reader.m_sections.push_back({Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            current = &reader.m_sections.back();
            continue;
        }
        const std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) continue;
        current->keys.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
    return reader;
}

std::string CProfileReader::GetString(const std::string& section, const std::string& key) const {
    const std::string wantSection = Trim(section), wantKey = Trim(key);
    for (const Section& s : m_sections) {
        if (!SameName(s.name, wantSection)) continue;
        for (const auto& [name, value] : s.keys)
            if (SameName(name, wantKey)) return TruncateUtf16(Unquote(value), kMaxValueUnits);
        return {};  // only the first section of that name is searched
    }
    return {};
}

int ProfileInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int CProfileReader::GetInt(const std::string& section, const std::string& key) const {
    return ProfileInt(GetString(section, key));
}

std::string ReadProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key) {
    return CProfileReader(file).GetString(section, key);
}

std::string BackslashesToLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\\') c = '\n';
    return text;
}

std::string MessageText(const std::filesystem::path& configFile, int number) {
    return BackslashesToLineBreaks(ReadProfileString(configFile, "Message", "Message" + std::to_string(number)));
}

}  // namespace torvel
