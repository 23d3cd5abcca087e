#pragma once
// A test with mote.dll loaded and its events going to a recorder window; unloaded afterwards.

#include <gtest/gtest.h>

#include <vector>

#include "mote_dll_win32.h"

namespace yorimemo::motelib::testing {

class MoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dll.open()) << "mote.dll could not be loaded with all its exports";
        ASSERT_EQ(dll.attach(recorder.window()), 1);
    }
    void TearDown() override { dll.close(); }

    // A shown mote at (x, y) whose image is a width x height card of `color`.
    int showMote(int x, int y, int width, int height, int priority,
                 std::uint32_t color = 0x7FFFFF) {
        MoteHandle surface = 0;
        const MoteHandle bitmap = dll.createBitmap(width, height, &surface);
        EXPECT_NE(bitmap, 0);
        dll.fillRect(bitmap, surface, 0, 0, width, height, color);
        const int id = dll.create(x, y, 0, 0, priority);
        EXPECT_GE(id, 0);
        EXPECT_EQ(dll.setImage(id, bitmap, surface), 1);
        EXPECT_EQ(dll.updateImage(id), 1);
        return id;
    }

    std::vector<int> stackedIds() const {
        std::vector<int> ids;
        for (HWND window : moteWindowsFrontToBack()) {
            ids.push_back(static_cast<int>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        }
        return ids;
    }

    MoteDll dll;
    EventRecorder recorder;
};

}  // namespace yorimemo::motelib::testing
