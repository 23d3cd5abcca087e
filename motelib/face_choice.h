#pragma once
// Which font face to ask for: note texts are Japanese, so a face that is not installed gives way
// to one that can show Japanese.

#include <functional>
#include <string>
#include <string_view>

#include "text/default_face.h"

namespace yorimemo::motelib {

// A face name holds at most this many UTF-16 units (GDI's limit without the terminator).
inline constexpr std::size_t kMaxFaceUnits = 31;

// The requested face when it is installed, else the first installed Japanese fallback, else an
// empty name (GDI then picks a face by character set).
std::wstring chooseFace(std::wstring_view requested,
                        const std::function<bool(const std::wstring&)>& installed);

}  // namespace yorimemo::motelib
