#include "host/autostart_win32.h"

#include <windows.h>

#include <string_view>

#include "framework/scoped_handle.h"

namespace yorimemo::autostart {
namespace {

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(),
                          length);
    return result;
}

bool sameFileName(std::string_view a, std::string_view b) {
    const std::wstring wa = wide(a);
    const std::wstring wb = wide(b);
    return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                  static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::string_view unquoted(std::string_view value) {
    if (!value.empty() && value.front() == '"') value.remove_prefix(1);
    if (!value.empty() && value.back() == '"') value.remove_suffix(1);
    return value;
}

// Empty when there is no such value or it is not a string.
std::string readValue() {
    DWORD bytes = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, nullptr,
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    std::string value(bytes, '\0');
    if (::RegGetValueA(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, value.data(),
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    // The size counts the terminator the registry added.
    value.resize(bytes > 0 ? bytes - 1 : 0);
    return value;
}

}  // namespace

std::string programPath() {
    std::string path;
    // Long paths have a limit of 32767 characters; beyond it the name cannot be had.
    for (DWORD size = MAX_PATH; size <= 0x10000; size *= 2) {
        path.resize(size);
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), size);
        // A path cut short fills the whole buffer.
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

bool enabled() {
    const std::string value = readValue();
    return !value.empty() && sameFileName(unquoted(value), programPath());
}

bool set(bool enabled) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const CRegistryKey key(opened);
    if (!enabled) {
        const LSTATUS status = ::RegDeleteValueA(key.get(), kValueName);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::string path = programPath();
    if (path.empty()) return false;
    const std::string value = "\"" + path + "\"";
    return ::RegSetValueExA(key.get(), kValueName, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace yorimemo::autostart
