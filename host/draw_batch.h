#pragma once

#include "mote/mote_library.h"

namespace yorimemo {

// One draw lock over a batch of new cards: they reach the screen together, each stacked once
// into its place, instead of each new card lifting the cards in front of it again.
class DrawBatch {
public:
    explicit DrawBatch(MoteLibrary* library) : library_(library) {
        if (library_ != nullptr) library_->lockDraw();
    }
    ~DrawBatch() {
        if (library_ != nullptr) library_->unlockDraw();
    }
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

private:
    MoteLibrary* library_;
};

}  // namespace yorimemo
