#include "notes/path_parts.h"

namespace yorimemo {

std::size_t fileNameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::size_t extensionStart(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name.size() : dot;
}

std::string_view pathWithoutExtension(std::string_view path) {
    const std::size_t name = fileNameStart(path);
    return path.substr(0, name + extensionStart(path.substr(name)));
}

}  // namespace yorimemo
