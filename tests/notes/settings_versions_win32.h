#pragma once
// What the kill test and its writer process share: the versions of a settings file the writer
// saves, one per generation, and the number of the last one it finished.

#include <windows.h>

#include <array>
#include <string>

#include "notes/decimal.h"
#include "notes/note_table.h"
#include "notes/profile_document.h"
#include "platform/handles_win32.h"

namespace yorimemo::testing {

// A whole settings file per generation, made into `bytes` (its memory is reused): the generation
// first, then 100 notes whose texts are one letter that alternates between generations. Each
// version is shorter than the one before but after every 16th, so that a file mixed from two
// versions, cut short or written over a longer one matches none.
inline void makeVersion(int generation, std::string& bytes) {
    constexpr std::size_t kTextLength = 15000;
    static const std::array<std::string, 2> bodies = [] {
        std::array<std::string, 2> made;
        for (std::size_t odd = 0; odd < made.size(); ++odd) {
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                made[odd] += "[Husen" + std::to_string(slot) + "]\r\nID=" + std::to_string(slot) +
                             "\r\nText=" + std::string(kTextLength, odd != 0 ? 'o' : 'e') + "\r\n";
            }
        }
        return made;
    }();
    const std::string& body = bodies[static_cast<std::size_t>(generation % 2)];
    // Cuts only into the last note's text.
    const std::size_t cut = static_cast<std::size_t>(generation % 16) * (kTextLength / 16);
    bytes.assign("[System]\r\nGeneration=" + std::to_string(generation) + "\r\n");
    bytes.append(body, 0, body.size() - 2 - cut).append("\r\n");
}

inline std::string versionBytes(int generation) {
    std::string bytes;
    makeVersion(generation, bytes);
    return bytes;
}

// The generation a file claims; -1 when it claims none.
inline int claimedGeneration(const std::string& bytes) {
    const auto generation = ProfileDocument::parse(bytes).find("System", "Generation");
    return generation ? parseDecimal(*generation) : -1;
}

// The last generation the writer finished, in memory both processes map by name.
class SharedProgress {
public:
    SharedProgress(const std::string& name, bool create)
        : mapping_(create ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               sizeof(LONG), name.c_str())
                          : OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str())) {
        if (mapping_) {
            value_ = static_cast<LONG*>(
                MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
        }
    }
    ~SharedProgress() {
        if (value_ != nullptr) UnmapViewOfFile(value_);
    }
    SharedProgress(const SharedProgress&) = delete;
    SharedProgress& operator=(const SharedProgress&) = delete;

    bool valid() const { return value_ != nullptr; }
    LONG finished() const { return InterlockedCompareExchange(value_, 0, 0); }
    void publish(LONG generation) { InterlockedExchange(value_, generation); }

private:
    KernelHandle mapping_;
    LONG* value_ = nullptr;
};

}  // namespace yorimemo::testing
