#include "host/face_list.h"

#include <algorithm>
#include <iterator>

namespace yorimemo {

namespace {

wchar_t FoldAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool LessIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return FoldAscii(x) < FoldAscii(y); });
}

bool SameFace(std::wstring_view a, std::wstring_view b) {
    return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

}  // namespace

FaceChoices ChooseFaces(std::vector<InstalledFace> installed, std::wstring_view noteFace) {
    installed.erase(std::remove_if(installed.begin(), installed.end(),
                                   [](const InstalledFace& face) {
                                       return face.name.empty() || face.name.front() == L'@' ||
                                              !face.storable;
                                   }),
                    installed.end());
    std::stable_sort(installed.begin(), installed.end(),
                     [](const InstalledFace& a, const InstalledFace& b) {
                         return LessIgnoringCase(a.name, b.name);
                     });
    // Neighbours after the sort: one entry per face, Japanese when any listing was.
    std::vector<InstalledFace> faces;
    for (InstalledFace& face : installed) {
        if (!faces.empty() && SameFace(faces.back().name, face.name)) {
            faces.back().japanese = faces.back().japanese || face.japanese;
        } else {
            faces.push_back(std::move(face));
        }
    }
    std::stable_partition(faces.begin(), faces.end(),
                          [](const InstalledFace& face) { return face.japanese; });

    FaceChoices choices;
    choices.names.reserve(faces.size() + 1);
    for (InstalledFace& face : faces) choices.names.push_back(std::move(face.name));
    const auto listed =
        std::find_if(choices.names.begin(), choices.names.end(),
                     [&](const std::wstring& name) { return SameFace(name, noteFace); });
    if (listed != choices.names.end()) {
        choices.selected = static_cast<std::size_t>(std::distance(choices.names.begin(), listed));
    } else {
        choices.names.insert(choices.names.begin(), std::wstring(noteFace));
        choices.selected = 0;
    }
    return choices;
}

}  // namespace yorimemo
