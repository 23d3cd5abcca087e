#pragma once
// Which font face to ask for: note texts are Japanese, so a face that is not installed gives way
// to one that can show Japanese.

#include <functional>
#include <string>
#include <string_view>

namespace yorimemo::motelib {

// A face name holds at most this many bytes (GDI's limit without the terminator).
inline constexpr std::size_t kMaxFaceBytes = 31;

// The program's default face, in code page 932.
inline constexpr std::string_view kDefaultFace =
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

// The requested face when it is installed, else the first installed Japanese fallback, else an
// empty name (GDI then picks a face by character set).
std::string chooseFace(std::string_view requested,
                       const std::function<bool(const std::string&)>& installed);

}  // namespace yorimemo::motelib
