#pragma once
// Numbers as the settings file holds them.

#include <cstdint>
#include <string>
#include <string_view>

namespace yorimemo {

// Leading white space, an optional sign, then digits up to the first other byte; no digits gives 0.
// A number beyond the signed 32-bit range saturates at its nearest end.
std::int32_t parseDecimal(std::string_view text);

// "%d": a "-" for negative values, no plus sign, blanks or leading zeros.
std::string formatDecimal(std::int32_t value);

}  // namespace yorimemo
