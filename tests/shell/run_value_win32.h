#pragma once
// The value that starts the program at log-on, read and set as the tests need it. The tests of a
// Wine prefix share its registry, and a new session starts whatever the Run key names, so a test
// that lets the program write the value puts it back as it found it (SavedRunValue).

#include <windows.h>

#include <optional>
#include <string>

namespace yorimemo::testing {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "yorimemo";

struct RunValue {
    DWORD type = REG_SZ;
    std::string bytes;  // as stored, a string's terminator included
};

inline std::optional<RunValue> ReadRunValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    RunValue value;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExA(key, kRunValueName, nullptr, &value.type, nullptr, &size);
    value.bytes.resize(size);
    if (status == ERROR_SUCCESS) {
        status = ::RegQueryValueExA(key, kRunValueName, nullptr, &value.type,
                                    reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    return value;
}

// The string the value holds without its terminator; "(none)" when there is no value.
inline std::string RunValueText() {
    const std::optional<RunValue> value = ReadRunValue();
    if (!value) return "(none)";
    std::string text = value->bytes;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

inline void WriteRunValue(const RunValue& value) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, value.type, value.bytes.data(),
                      static_cast<DWORD>(value.bytes.size()));
}

inline void WriteRunValue(const std::string& text) {
    WriteRunValue(RunValue{REG_SZ, text + '\0'});
}

inline void DeleteRunValue() {
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName);
}

// Puts the value back as it was when this was made, whatever happened meanwhile.
class SavedRunValue {
public:
    SavedRunValue() : saved_(ReadRunValue()) {}
    ~SavedRunValue() {
        if (saved_) {
            WriteRunValue(*saved_);
        } else {
            DeleteRunValue();
        }
    }
    SavedRunValue(const SavedRunValue&) = delete;
    SavedRunValue& operator=(const SavedRunValue&) = delete;

private:
    std::optional<RunValue> saved_;
};

}  // namespace yorimemo::testing
