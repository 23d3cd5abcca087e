#pragma once

#include "mote/mote_library.h"

namespace yorimemo {

// One draw lock over a batch of new cards: they reach the screen together, each stacked once
// into its place, instead of each new card lifting the cards in front of it again.
// `quiet`: the cards change because of the file, so none comes up over another program's window.
class DrawBatch {
public:
    explicit DrawBatch(MoteLibrary* library, bool quiet = false)
        : library_(library), quiet_(quiet && library != nullptr) {
        if (library_ != nullptr) library_->lockDraw();
        if (quiet_) library_->quietStack(1);
    }
    ~DrawBatch() {
        if (quiet_) library_->quietStack(0);
        if (library_ != nullptr) library_->unlockDraw();
    }
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

private:
    MoteLibrary* library_;
    bool quiet_;
};

}  // namespace yorimemo
