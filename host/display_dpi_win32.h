#pragma once
// The pixels per inch the system and each monitor show at. The newer calls are looked up at run
// time, so the program still starts on systems that lack them.

#include <windows.h>

#include <cstdint>

namespace yorimemo {

// The system's scale, which places follow; 96 when nothing answers.
std::int32_t systemDpi();
// The monitor's own scale, which a card on it is drawn for; the system's when unknown.
std::int32_t monitorDpi(HMONITOR monitor);

}  // namespace yorimemo
