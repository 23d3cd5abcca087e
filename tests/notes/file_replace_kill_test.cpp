// A process killed at any moment of a replacement leaves the old or the new file, never a mix.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "notes/file_replace.h"
#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

// Ends the writer whatever way the test leaves a round.
class Writer {
public:
    explicit Writer(pid_t pid) : pid_(pid) {}
    ~Writer() { stop(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_;
};

TEST(FileReplaceKillTest, KilledWriterLeavesAWholeFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("settings.ini");
    // Large enough that a write takes several system calls' worth of time.
    const std::string first(300000, 'a');
    const std::string second(200000, 'b');
    ASSERT_TRUE(replaceFileContents(platformFileSystem(), path, first));

    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            for (int i = 0;; ++i) {
                replaceFileContents(platformFileSystem(), path, i % 2 ? first : second);
                if (write(ready[1], "x", 1) != 1) _exit(1);
            }
        }
        Writer writer(child);
        close(ready[1]);
        // Kill after a varying number of finished replacements, in the middle of the next one.
        const int finished = 1 + static_cast<int>(random() % 4);
        char byte;
        int got = 0;
        while (got < finished && read(ready[0], &byte, 1) == 1) ++got;
        writer.stop();
        close(ready[0]);
        ASSERT_EQ(got, finished);

        const std::string content = testing::readFileBytes(path);
        EXPECT_TRUE(content == first || content == second)
            << "round " << round << ": " << content.size() << " bytes";
    }
    // A temporary file left by the kill does not stop the next replacement.
    EXPECT_TRUE(replaceFileContents(platformFileSystem(), path, "after"));
    EXPECT_EQ(testing::readFileBytes(path), "after");
}

}  // namespace
}  // namespace yorimemo
