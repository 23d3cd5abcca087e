#pragma once
// The settings file of a full program: 100 notes, as the timings start it.

#include <string>

namespace yorimemo::e2e {

constexpr int kNotes = 100;

// How the stored priorities lie against the slots: as a fresh file has them, the other way
// round, or scattered as weeks of pressing notes leave them.
enum class PriorityOrder { Slot, Reversed, Scattered };

inline int storedPriority(PriorityOrder order, int slot) {
    switch (order) {
        case PriorityOrder::Reversed:
            return kNotes - 1 - slot;
        case PriorityOrder::Scattered:
            return slot * 37 % kNotes;
        case PriorityOrder::Slot:
            break;
    }
    return slot;
}

// A 10 by 10 grid of notes in the three colours, with one to three lines each.
inline std::string hundredNotes(PriorityOrder order = PriorityOrder::Slot) {
    std::string ini = "[System]\r\nFloating=On\r\n";
    for (int i = 0; i < kNotes; ++i) {
        ini += "[Husen" + std::to_string(i + 1) + "]\r\nID=" + std::to_string(i) +
               "\r\nPriority=" + std::to_string(storedPriority(order, i)) +
               "\r\nPosX=" + std::to_string(10 + i % 10 * 125) +
               "\r\nPosY=" + std::to_string(10 + i / 10 * 95) +
               "\r\nWidth=120\r\nType=" + std::to_string(i % 3) + "\r\nText=note " +
               std::to_string(i + 1);
        for (int line = 0; line < i % 3; ++line) ini += "\\n\x95\x74\xE2\xB3";
        ini += "\r\nTextRed=" + std::to_string(i % 7 == 0 ? 1 : 0) + "\r\n";
    }
    return ini;
}

}  // namespace yorimemo::e2e
