// The program's file replacement on the Windows file functions, in a writer process ended by
// TerminateProcess at random instants: the INI must then hold, byte for byte, the version the
// writer finished last or the one it was writing, never an empty, short or mixed file.
// YORIMEMO_KILL_ROUNDS sets the number of kills.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "notes/erased_sections.h"
#include "notes/file_replace.h"
#include "tests/notes/settings_versions_win32.h"
#include "tests/notes/test_files.h"
#include "tests/support/wait_win32.h"

namespace yorimemo {
namespace {

constexpr DWORD kDeadlineMs = 30000;
constexpr DWORD kPollMs = 1;  // the kill instants depend on seeing progress at once

// Written in place, the file is damaged by about one kill in 25 under Wine (the kill lands
// between the write and the cut); 150 kills catch that in all but a few runs in a thousand.
int killRounds() {
    const char* value = std::getenv("YORIMEMO_KILL_ROUNDS");
    const int rounds = value != nullptr ? std::atoi(value) : 0;
    return rounds > 0 ? rounds : 150;
}

double nowMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

std::string writerPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string test(path);
    return test.substr(0, test.find_last_of("\\/") + 1) + "settings_writer.exe";
}

// A started writer, ended when this goes out of scope, whatever happened.
class Writer {
public:
    // On a busy machine Wine now and then loses a new process before it runs any of our code
    // (CreateProcess fails with ERROR_INTERNAL_ERROR); such a start is tried again.
    Writer(const std::string& ini, const std::string& progress, int firstGeneration,
           bool erase = false) {
        const std::string exe = writerPath();
        std::string commandLine = "\"" + exe + "\" \"" + ini + "\" " + progress + " " +
                                  std::to_string(firstGeneration) + " " +
                                  std::to_string(GetCurrentProcessId()) + (erase ? " erase" : "");
        testing::waitFor(
            [&] {
                STARTUPINFOA startup{};
                startup.cb = sizeof startup;
                PROCESS_INFORMATION info{};
                if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, nullptr, &startup, &info)) {
                    error_ = GetLastError();
                    ++failedStarts_;
                    return false;
                }
                process_.reset(info.hProcess);
                CloseHandle(info.hThread);
                return true;
            },
            kDeadlineMs, kPollMs);
    }
    ~Writer() { kill(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD error() const { return error_; }
    int failedStarts() const { return failedStarts_; }
    bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

    // Only once the process is gone are its writes over.
    bool kill() {
        if (!process_) return true;
        TerminateProcess(process_.get(), 1);
        const bool ended = WaitForSingleObject(process_.get(), kDeadlineMs) == WAIT_OBJECT_0;
        process_.reset();
        return ended;
    }

private:
    KernelHandle process_;
    DWORD error_ = 0;
    int failedStarts_ = 0;
};

TEST(SettingsKillTest, KilledWriterLeavesTheOldOrTheNewFileWhole) {
    testing::TempFolder folder;
    const std::string ini = folder.file("yorimemo.ini");
    const std::string progressName = "yorimemo-kill-" + std::to_string(GetCurrentProcessId());
    testing::SharedProgress progress(progressName, true);
    ASSERT_TRUE(progress.valid());

    int generation = 1;
    ASSERT_TRUE(replaceFileContents(platformFileSystem(), ini, testing::versionBytes(0)));
    const double start = nowMicroseconds();
    ASSERT_TRUE(replaceFileContents(platformFileSystem(), ini, testing::versionBytes(generation)));
    const double saveMicroseconds = nowMicroseconds() - start;

    std::mt19937 random(std::random_device{}());
    const int rounds = killRounds();
    int midReplacement = 0;
    int damaged = 0;
    int failedStarts = 0;
    for (int round = 0; round < rounds; ++round) {
        Writer writer(ini, progressName, generation + 1);
        failedStarts += writer.failedStarts();
        ASSERT_TRUE(writer.started())
            << "round " << round << ": " << writerPath() << " error " << writer.error();
        // The kill comes after the start-up, at any instant of the next few saves.
        ASSERT_TRUE(
            testing::waitFor([&] { return progress.finished() > generation || !writer.running(); },
                             kDeadlineMs, kPollMs));
        const double delay =
            std::uniform_real_distribution<double>(0, 3 * saveMicroseconds)(random);
        for (const double end = nowMicroseconds() + delay; nowMicroseconds() < end;) {
            SwitchToThread();
        }
        ASSERT_TRUE(writer.running()) << "the writer ended by itself";
        ASSERT_TRUE(writer.kill());

        const int finished = progress.finished();
        const std::string temporary = temporaryPathFor(ini);
        if (testing::fileExists(temporary)) {
            ++midReplacement;
            platformFileSystem().removeFile(temporary);
        }
        const std::string bytes = testing::readFileBytes(ini);
        const int claimed = testing::claimedGeneration(bytes);
        // The rename of the next version may have landed just before the kill.
        if ((claimed == finished || claimed == finished + 1) &&
            bytes == testing::versionBytes(claimed)) {
            generation = claimed;
            continue;
        }
        ++damaged;
        ADD_FAILURE() << "round " << round << ": " << bytes.size() << " bytes claiming generation "
                      << claimed << ", the writer had finished " << finished;
        // Whole again, so that one damaged file is counted once.
        generation = finished + 1;
        testing::writeFileBytes(ini, testing::versionBytes(generation));
    }
    std::printf(
        "settings kill test: %d rounds, %d kills mid-replacement, %d empty or damaged (%d failed "
        "writer starts tried again)\n",
        rounds, midReplacement, damaged, failedStarts);
    std::fflush(stdout);
}

// Where the note texted "kill me" is: its note section, erased sections, each once.
std::vector<std::string> sectionsHoldingTheNote(const std::string& bytes) {
    const ProfileDocument document = ProfileDocument::parse(bytes);
    std::vector<std::string> found;
    for (const std::string& name : document.sectionNames()) {
        if (document.find(name, "Text") == "kill me") found.push_back(name);
    }
    return found;
}

// An erase moves the note into an erased section and an undo moves it back, each in one write:
// a kill at any instant leaves it in exactly one of them.
TEST(SettingsKillTest, AKilledEraseOrUndoLeavesTheNoteInExactlyOnePlace) {
    testing::TempFolder folder;
    const std::string ini = folder.file("yorimemo.ini");
    const std::string progressName = "yorimemo-erase-" + std::to_string(GetCurrentProcessId());
    testing::SharedProgress progress(progressName, true);
    ASSERT_TRUE(progress.valid());
    ASSERT_TRUE(testing::writeFileBytes(
        ini, "[Husen1]\r\nID=1\r\nPosX=40\r\nText=kill me\r\n[Husen2]\r\nID=2\r\nText=stays\r\n"));

    std::mt19937 random(std::random_device{}());
    const int rounds = killRounds() / 3;
    int generation = 0;
    int erasedAtKill = 0;
    for (int round = 0; round < rounds; ++round) {
        Writer writer(ini, progressName, generation + 1, true);
        ASSERT_TRUE(writer.started()) << "round " << round << " error " << writer.error();
        ASSERT_TRUE(
            testing::waitFor([&] { return progress.finished() > generation || !writer.running(); },
                             kDeadlineMs, kPollMs));
        const double delay = std::uniform_real_distribution<double>(0, 20000)(random);
        for (const double end = nowMicroseconds() + delay; nowMicroseconds() < end;) {
            SwitchToThread();
        }
        ASSERT_TRUE(writer.running()) << "the writer ended by itself";
        ASSERT_TRUE(writer.kill());
        generation = progress.finished();
        platformFileSystem().removeFile(temporaryPathFor(ini));

        const std::string bytes = testing::readFileBytes(ini);
        const std::vector<std::string> found = sectionsHoldingTheNote(bytes);
        ASSERT_EQ(found.size(), 1u) << "round " << round << ":\n" << bytes;
        if (isErasedSection(found.front())) ++erasedAtKill;
        ASSERT_EQ(ProfileDocument::parse(bytes).find("Husen2", "Text"), "stays");
    }
    EXPECT_GT(erasedAtKill, 0) << "some kills found the note erased";
    EXPECT_LT(erasedAtKill, rounds) << "some kills found it back";
    std::printf("erase kill test: %d rounds, %d with the note erased\n", rounds, erasedAtKill);
    std::fflush(stdout);
}

}  // namespace
}  // namespace yorimemo
