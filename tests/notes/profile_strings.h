#pragma once
// Key-by-key access to a settings file through our profile functions, as the tests check and
// prepare files; the program itself reads the whole file once and writes through SettingsFile.

#include <string>
#include <string_view>

#include "notes/file_io.h"
#include "notes/profile_file.h"

namespace yorimemo {

inline std::string readProfileString(const std::string& path, std::string_view section,
                                     std::string_view key, std::string_view fallback) {
    return readProfile(platformFileSystem(), path).get(section, key, fallback);
}

inline bool writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value) {
    return updateProfile(platformFileSystem(), path,
                         [&](ProfileDocument& document) { document.set(section, key, value); });
}

inline bool removeProfileSection(const std::string& path, std::string_view section) {
    return updateProfile(platformFileSystem(), path,
                         [&](ProfileDocument& document) { document.removeSection(section); });
}

}  // namespace yorimemo
