#include "app/program_paths.h"

#include "text/utf16.h"

namespace yorimemo {

namespace {

constexpr std::wstring_view kIniExtension = L".ini";
constexpr std::size_t kMaxLength = kMaxPath - 1;

// The system hands back at most kMaxLength units of the module path; anything longer is cut
// the same way here, so the rules below never see more.
std::wstring_view ModulePathWithinLimit(std::wstring_view modulePath) {
    return PrefixWithin(modulePath, kMaxLength);
}

std::size_t LastSlash(std::wstring_view path) {
    return path.rfind(L'\\');
}

}  // namespace

std::wstring ProgramDirectory(std::wstring_view modulePath) {
    const std::wstring_view path = ModulePathWithinLimit(modulePath);
    const std::size_t slash = LastSlash(path);
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(path.substr(0, slash));
}

std::wstring IniPath(std::wstring_view modulePath) {
    const std::wstring_view path = ModulePathWithinLimit(modulePath);
    const std::size_t slash = LastSlash(path);
    const std::size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind(L'.');
    std::wstring_view stem =
        dot == std::wstring_view::npos || dot < nameStart ? path : path.substr(0, dot);
    stem = PrefixWithin(stem, kMaxLength - kIniExtension.size());

    std::wstring ini(stem);
    ini += kIniExtension;
    return ini;
}

}  // namespace yorimemo
