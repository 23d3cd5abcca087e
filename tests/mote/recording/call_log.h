#pragma once
// Reading the recording mote.dll's "mote-calls.log" in tests.

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace yorimemo::recording {

inline constexpr char kCallLogName[] = "mote-calls.log";

// The call lines of the log in `directory`, without the comment header; empty when there is none.
inline std::vector<std::string> readCallLog(const std::string& directory) {
    std::vector<std::string> calls;
    std::ifstream in(directory + "\\" + kCallLogName, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') calls.push_back(line);
    }
    return calls;
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

}  // namespace yorimemo::recording
