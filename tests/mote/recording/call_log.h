#pragma once
// Reading the recording mote.dll's "mote-calls.log" in tests.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace yorimemo::recording {

inline constexpr char kCallLogName[] = "mote-calls.log";

// The call lines of the log in `folder`, without the comment header; empty when there is none.
inline std::vector<std::string> readCallLog(const std::filesystem::path& folder) {
    std::vector<std::string> calls;
    std::ifstream in(folder / kCallLogName, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') calls.push_back(line);
    }
    return calls;
}

// Folders of the tests' own making have ASCII names.
inline std::vector<std::string> readCallLog(const std::string& directory) {
    return readCallLog(std::filesystem::path(directory));
}

// The same for a folder with any name: the log's path in UTF-16.
inline std::vector<std::string> readCallLog(const std::wstring& directory) {
    return readCallLog(std::filesystem::path(directory));
}

// How a text argument appears in the log when it arrived as the program must send it: "null 0"
// for an empty text, else "x", its bytes in hex, and its length.
inline std::string textFields(std::string_view text) {
    if (text.empty()) return "null 0";
    static const char digits[] = "0123456789abcdef";
    std::string fields = "x";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        fields += digits[byte >> 4];
        fields += digits[byte & 0xF];
    }
    return fields + " " + std::to_string(text.size());
}

// The same for a text the UTF-16 twins took: "w", its units as hex quads, and its length.
inline std::string wideTextFields(std::wstring_view text) {
    if (text.empty()) return "null 0";
    static const char digits[] = "0123456789abcdef";
    std::string fields = "w";
    for (const wchar_t unit : text) {
        for (int shift = 12; shift >= 0; shift -= 4) {
            fields += digits[(static_cast<unsigned>(unit) >> shift) & 0xF];
        }
    }
    return fields + " " + std::to_string(text.size());
}

}  // namespace yorimemo::recording
