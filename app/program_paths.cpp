#include "app/program_paths.h"

namespace yorimemo {

namespace {

constexpr std::string_view kIniExtension = ".ini";
constexpr std::size_t kMaxLength = kMaxPath - 1;

// Position of the last single-byte `wanted` at or after `from`, or npos.
std::size_t FindLast(std::string_view text, char wanted, std::size_t from,
                     LeadBytePredicate isLeadByte) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos, isLeadByte)) {
        if (text[pos] == wanted) found = pos;
    }
    return found;
}

// The system hands back at most kMaxLength bytes of the module path; anything longer is cut
// the same way here, so the rules below never see more.
std::string_view ModulePathWithinLimit(std::string_view modulePath, LeadBytePredicate isLeadByte) {
    return PrefixWithin(modulePath, kMaxLength, isLeadByte);
}

}  // namespace

std::string ProgramDirectory(std::string_view modulePath, LeadBytePredicate isLeadByte) {
    const std::string_view path = ModulePathWithinLimit(modulePath, isLeadByte);
    const std::size_t slash = FindLast(path, '\\', 0, isLeadByte);
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash));
}

std::string IniPath(std::string_view modulePath, LeadBytePredicate isLeadByte) {
    const std::string_view path = ModulePathWithinLimit(modulePath, isLeadByte);
    const std::size_t slash = FindLast(path, '\\', 0, isLeadByte);
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = FindLast(path, '.', nameStart, isLeadByte);
    std::string_view stem = dot == std::string_view::npos ? path : path.substr(0, dot);
    stem = PrefixWithin(stem, kMaxLength - kIniExtension.size(), isLeadByte);

    std::string ini(stem);
    ini += kIniExtension;
    return ini;
}

}  // namespace yorimemo
