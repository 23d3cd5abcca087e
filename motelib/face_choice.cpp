#include "motelib/face_choice.h"

#include <array>

namespace yorimemo::motelib {
namespace {

// Gothic faces first since they read best at small sizes.
constexpr std::array<std::wstring_view, 4> kFallbackFaces = {
    kDefaultFaceWide,
    L"IPAGothic",
    L"IPA\u30B4\u30B7\u30C3\u30AF",  // the same face under its Japanese name
    L"IPAPGothic",
};

}  // namespace

std::wstring chooseFace(std::wstring_view requested,
                        const std::function<bool(const std::wstring&)>& installed) {
    if (!requested.empty() && requested.size() <= kMaxFaceUnits) {
        std::wstring face(requested);
        if (face.find(L'\0') == std::wstring::npos && installed(face)) return face;
    }
    for (const std::wstring_view fallback : kFallbackFaces) {
        std::wstring face(fallback);
        if (installed(face)) return face;
    }
    return {};
}

}  // namespace yorimemo::motelib
