// The running program follows its note file when something else changes it, as a sync client
// does: the file replaced by rename shows its new, changed and erased notes without a restart,
// and a deleted file is written back whole.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {
namespace {

std::string note(int number, int priority, int x, int y, const std::string& text) {
    const std::string n = std::to_string(number);
    return "[Husen" + n + "]\r\nID=" + std::to_string(number - 1) +
           "\r\nPriority=" + std::to_string(priority) + "\r\nPosX=" + std::to_string(x) +
           "\r\nPosY=" + std::to_string(y) +
           "\r\nWidth=200\r\nType=0\r\nFontName=\r\nFontSize=9\r\nText=" + text +
           "\r\nTextRed=0\r\n";
}

const std::string kSystem = "[System]\r\nFloating=Off\r\n";

bool cardAt(const std::vector<MoteWindow>& motes, int x, int y) {
    for (const MoteWindow& mote : motes) {
        if (mote.rect.left == scaled(x) && mote.rect.top == scaled(y)) return true;
    }
    return false;
}

// As a sync client puts a file in place: written beside it, then renamed over it.
void replaceByRename(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".synctmp";
    writeFileBytes(temporary, bytes);
    ASSERT_TRUE(::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

class FollowFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine and an X screen";
    }

    ProgramFolder folder_{Library::Real};
};

TEST_F(FollowFileTest, AFileReplacedOrDeletedElsewhereIsFollowedWithoutARestart) {
    folder_.writeIni(kSystem + note(1, 0, 100, 100, "stays") + note(2, 1, 400, 100, "moves") +
                     note(3, 2, 100, 300, "goes"));
    RunningProgram program(folder_);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return program.motes().size() == 3; }));
    ASSERT_TRUE(program.settle());

    // Elsewhere: the second note moved, the third erased, a fourth made.
    replaceByRename(folder_.ini(), kSystem + note(1, 0, 100, 100, "stays") +
                                       note(2, 1, 500, 200, "moves") +
                                       note(4, 3, 700, 400, "arrives"));
    const auto landed = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitFor(
        [&] {
            const std::vector<MoteWindow> motes = program.motes();
            return motes.size() == 3 && cardAt(motes, 100, 100) && cardAt(motes, 500, 200) &&
                   cardAt(motes, 700, 400);
        },
        5000))
        << program.motes().size() << " note windows";
    const auto shownAfter = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - landed);
    std::printf("from the file landing to the cards shown: %lld ms\n",
                static_cast<long long>(shownAfter.count()));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen4", "ID"), "3") << "reading never writes";

    // Deleted: the program writes every note back.
    ASSERT_TRUE(::DeleteFileA(folder_.ini().c_str()));
    ASSERT_TRUE(
        waitFor([&] { return iniValue(folder_.ini(), "Husen4", "Text") == "arrives"; }, 10000));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Text"), "stays");
    EXPECT_EQ(iniValue(folder_.ini(), "Husen2", "PosX"), "500");
    EXPECT_EQ(iniValue(folder_.ini(), "Husen3", "ID", "(none)"), "(none)");
    EXPECT_EQ(iniValue(folder_.ini(), "System", "Floating"), "Off");

    EXPECT_TRUE(program.quit());
}

}  // namespace
}  // namespace yorimemo::e2e
