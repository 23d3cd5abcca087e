#include "host/autostart_win32.h"

#include <windows.h>

#include <string_view>

#include "platform/handles_win32.h"

namespace yorimemo::autostart {
namespace {

bool sameFileName(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring_view unquoted(std::wstring_view value) {
    if (!value.empty() && value.front() == L'"') value.remove_prefix(1);
    if (!value.empty() && value.back() == L'"') value.remove_suffix(1);
    return value;
}

// Empty when there is no such value or it is not a string.
std::wstring readValue() {
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, nullptr,
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, value.data(),
                       &bytes) != ERROR_SUCCESS) {
        return {};
    }
    // The size counts the terminator the registry added.
    const std::size_t units = bytes / sizeof(wchar_t);
    value.resize(units > 0 ? units - 1 : 0);
    return value;
}

}  // namespace

std::wstring programPath() {
    std::wstring path;
    // Long paths have a limit of 32767 characters; beyond it the name cannot be had.
    for (DWORD size = MAX_PATH; size <= 0x10000; size *= 2) {
        path.resize(size);
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        // A path cut short fills the whole buffer.
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

bool enabled() {
    const std::wstring value = readValue();
    return !value.empty() && sameFileName(unquoted(value), programPath());
}

bool set(bool enabled) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const RegistryKey key(opened);
    if (!enabled) {
        const LSTATUS status = ::RegDeleteValueW(key.get(), kValueName);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring path = programPath();
    if (path.empty()) return false;
    const std::wstring value = L"\"" + path + L"\"";
    return ::RegSetValueExW(
               key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace yorimemo::autostart
