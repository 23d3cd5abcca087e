#include "app/program_paths.h"

namespace yorimemo {

namespace {

constexpr std::wstring_view kIniExtension = L".ini";

std::size_t LastSlash(std::wstring_view path) {
    return path.rfind(L'\\');
}

}  // namespace

std::wstring ProgramDirectory(std::wstring_view modulePath) {
    const std::size_t slash = LastSlash(modulePath);
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(modulePath.substr(0, slash));
}

std::wstring IniPath(std::wstring_view modulePath) {
    const std::size_t slash = LastSlash(modulePath);
    const std::size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const std::size_t dot = modulePath.rfind(L'.');
    const std::wstring_view stem =
        dot == std::wstring_view::npos || dot < nameStart ? modulePath : modulePath.substr(0, dot);
    std::wstring ini(stem);
    ini += kIniExtension;
    return ini;
}

bool PathsFitLimit(std::wstring_view modulePath) {
    return modulePath.size() < kMaxPath && IniPath(modulePath).size() < kMaxPath;
}

}  // namespace yorimemo
