#include "motelib/face_choice.h"

#include <array>

namespace yorimemo::motelib {
namespace {

// Code page 932 names; Gothic faces first since they read best at small sizes.
constexpr std::array<std::string_view, 4> kFallbackFaces = {
    kDefaultFace,
    "IPAGothic",
    "IPA\x83\x53\x83\x56\x83\x62\x83\x4E",  // the same face under its Japanese name
    "IPAPGothic",
};

}  // namespace

std::string chooseFace(std::string_view requested,
                       const std::function<bool(const std::string&)>& installed) {
    if (!requested.empty() && requested.size() <= kMaxFaceBytes) {
        std::string face(requested);
        if (face.find('\0') == std::string::npos && installed(face)) return face;
    }
    for (const std::string_view fallback : kFallbackFaces) {
        std::string face(fallback);
        if (installed(face)) return face;
    }
    return {};
}

}  // namespace yorimemo::motelib
