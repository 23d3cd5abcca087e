// The real program and the real mote.dll against hostile input: a stream of random event messages
// from another process, and settings files that are mostly garbage. The program must keep running
// and answering, change nothing that no well-formed event asked for, and show every note that can
// be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {
namespace {

// Generous: under Wine a large message crosses two processes and the wine server.
constexpr DWORD kSenderDeadlineMs = 400000;

const std::string kThreeNotes =
    "[System]\r\nFloating=On\r\n"
    "[Husen1]\r\nID=0\r\nPriority=4\r\nPosX=100\r\nPosY=100\r\nWidth=300\r\nType=0\r\n"
    "FontSize=9\r\nText=first\\nnote\r\nTextRed=0\r\n"
    "[Husen2]\r\nID=1\r\nPriority=9\r\nPosX=300\r\nPosY=300\r\nWidth=250\r\nType=1\r\n"
    "FontSize=12\r\nText=second\r\nTextRed=1\r\n"
    "[Husen5]\r\nID=2\r\nPriority=6\r\nPosX=500\r\nPosY=200\r\nWidth=200\r\nType=2\r\n"
    "FontSize=9\r\nText=\x95\x74\xE2\xB3\r\nTextRed=0\r\n";

std::string senderPath() {
    std::string path = YORIMEMO_HOSTILE_SENDER;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Runs the sender process against the host window; its exit status, or -1 when it could not be
// started or did not finish in time (then it is ended).
int runSender(HWND host, int count, unsigned seed) {
    const std::string exe = senderPath();
    std::string commandLine = "\"" + exe + "\" " +
                              std::to_string(reinterpret_cast<std::uintptr_t>(host)) + " " +
                              std::to_string(count) + " " + std::to_string(seed);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
        return -1;
    }
    ::CloseHandle(info.hThread);
    DWORD status = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(info.hProcess, kSenderDeadlineMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(info.hProcess, &status);
    } else {
        ::TerminateProcess(info.hProcess, 1);
        ::WaitForSingleObject(info.hProcess, kDeadlineMs);
    }
    ::CloseHandle(info.hProcess);
    return static_cast<int>(status);
}

// The program answers a plain message within the deadline: its loop is alive and not stuck.
bool answers(HWND host) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(host, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kDeadlineMs,
                                 &answer) != 0;
}

std::vector<std::pair<LONG, LONG>> moteCorners(RunningProgram& program) {
    std::vector<std::pair<LONG, LONG>> corners;
    for (const MoteWindow& mote : program.motes()) {
        corners.emplace_back(mote.rect.left, mote.rect.top);
    }
    std::sort(corners.begin(), corners.end());
    return corners;
}

class HostileStream : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.writeIni(kThreeNotes);
        program_ = std::make_unique<RunningProgram>(folder_);
        ASSERT_NE(program_->host(), nullptr);
        ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 3; }));
        ASSERT_TRUE(program_->settle());
        // The start has rewritten every note with its new id; from here on only well-formed
        // events on real notes may change the file, and the stream holds none.
        before_ = folder_.readIni();
        for (const char* section : {"Husen1", "Husen2", "Husen5"}) {
            const int id = std::atoi(iniValue(folder_.ini(), section, "ID").c_str());
            ASSERT_TRUE(id >= 0 && id < 1000) << section << " has the id " << id;
        }
    }

    // The stream left no trace: same file, same notes, no menu or dialog, still answering.
    void expectUntouched() {
        ASSERT_TRUE(program_->running());
        EXPECT_TRUE(answers(program_->host()));
        EXPECT_EQ(program_->popupMenu(), nullptr);
        EXPECT_EQ(folder_.readIni(), before_);
        EXPECT_EQ(program_->motes().size(), 3u);
    }

    // A press and a release on a real note still raise it and store it: the events are read
    // as before, whatever drag the stream left half done.
    void expectPressStillWorks() {
        const std::string id = iniValue(folder_.ini(), "Husen2", "ID");
        ASSERT_TRUE(
            program_->sendEvent(eventPayload("OnMoteLButtonDown", std::stoi(id), 310, 310)));
        ASSERT_TRUE(program_->sendEvent(eventPayload("OnMoteLButtonUp", std::stoi(id), 310, 310)));
        EXPECT_EQ(iniValue(folder_.ini(), "Husen2", "Priority"), "3");
        EXPECT_EQ(iniValue(folder_.ini(), "Husen2", "PosX"), "300");
        EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Priority"), "0");
    }

    ProgramFolder folder_{Library::Real};
    std::unique_ptr<RunningProgram> program_;
    std::string before_;
};

// The host's handling of every message shape is fuzzed in-process; across processes a burst
// proves the path: each kind, a megabyte among them, reaches the window and is answered.
TEST_F(HostileStream, ABurstOfRandomMessagesChangesNothing) {
    EXPECT_EQ(runSender(program_->host(), 500, 20240601), 0);
    expectUntouched();
    expectPressStillWorks();
}

// The note menu runs its own loop; the messages that arrive meanwhile are handled inside it.
TEST_F(HostileStream, MessagesWhileANoteMenuIsOpenChangeNothing) {
    ASSERT_TRUE(program_->sendEvent(eventPayload("OnMoteRButtonUp", 1000000, 50, 50)));
    ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
    EXPECT_EQ(runSender(program_->host(), 200, 7), 0);
    EXPECT_NE(program_->popupMenu(), nullptr);
    ASSERT_TRUE(program_->dismissMenu());
    expectUntouched();
    expectPressStillWorks();
}

std::string garbage(std::size_t length, unsigned seed, bool structureFree) {
    std::mt19937 random(seed);
    std::string bytes(length, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
        // Without "[" and "=" no line can pass for a section header or a key.
        if (structureFree && (c == '[' || c == '=')) c = '#';
    }
    return bytes;
}

std::string noteSection(int number, const std::string& id, int x, int y) {
    return "[Husen" + std::to_string(number) + "]\r\nID=" + id +
           "\r\nPriority=1\r\nPosX=" + std::to_string(x) + "\r\nPosY=" + std::to_string(y) +
           "\r\nWidth=220\r\nType=1\r\n";
}

TEST(CorruptSettings, EveryReadableNoteIsShown) {
    std::string ini = garbage(64 * 1024, 1, true) + "\r\n";
    // A plain note after the garbage.
    ini += noteSection(1, "0", 100, 100) + "Text=plain\r\n";
    // A 10 MB line among the keys of a note.
    ini += noteSection(2, "3", 100, 400) + "Memo=" + std::string(10 * 1024 * 1024, 'x') +
           "\r\nText=second\r\n";
    // A thousand sections of the same name: the first one counts.
    for (int copy = 0; copy < 1000; ++copy) {
        ini += noteSection(3, "1", 700 + copy, 100 + copy);
    }
    // Garbage lines instead of keys: no ID, so the slot stays free.
    ini += "[Husen4]\r\n" + garbage(4096, 2, true) + "\r\n";
    // An ID without digits reads as 0: a note at the defaults.
    ini += "[Husen5]\r\nID=\xFF\xFE\r\nPosX=\x01\x02\r\n";
    ini += garbage(16 * 1024, 3, true);

    ProgramFolder folder(Library::Real);
    folder.writeIni(ini);
    RunningProgram program(folder);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return program.motes().size() >= 4; }));
    ASSERT_TRUE(program.settle());
    const std::vector<std::pair<LONG, LONG>> expected = {
        {0, 0}, {100, 100}, {100, 400}, {700, 100}};
    EXPECT_EQ(moteCorners(program), expected);
    EXPECT_TRUE(answers(program.host()));

    EXPECT_EQ(iniValue(folder.ini(), "Husen2", "Text"), "second");
    EXPECT_EQ(iniValue(folder.ini(), "Husen3", "PosX"), "700");
    EXPECT_EQ(iniValue(folder.ini(), "Husen4", "ID", "none"), "none");
    EXPECT_EQ(iniValue(folder.ini(), "Husen5", "Width"), "300");
    ASSERT_TRUE(program.quit());
}

TEST(CorruptSettings, AHugeNoteTextStartsPromptlyAndSurvivesWhole) {
    // Ten megabytes of short lines: far more than a card can show.
    std::string text;
    while (text.size() < 10 * 1024 * 1024) text += "0123456789012345678901234567890123456789\\n";
    ProgramFolder folder(Library::Real);
    folder.writeIni(noteSection(1, "0", 100, 100) + "Text=" + text + "\r\n");
    RunningProgram program(folder);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return program.motes().size() == 1; }));
    ASSERT_TRUE(program.settle());
    const RECT card = program.motes().front().rect;
    // Taller than any screen, yet a card the library could draw.
    EXPECT_GT(card.bottom - card.top, 1000);
    EXPECT_LE(card.bottom - card.top, 16384);
    EXPECT_EQ(iniValue(folder.ini(), "Husen1", "Text"), text) << "the stored text stays whole";
    ASSERT_TRUE(program.quit());
}

TEST(CorruptSettings, AFileOfRandomBytesGivesAnEmptyWorkingProgram) {
    ProgramFolder folder(Library::Real);
    folder.writeIni(garbage(1024 * 1024, 4, false));
    RunningProgram program(folder);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(program.settle());
    EXPECT_TRUE(program.motes().empty());

    // Still a working program: a created note appears and is stored.
    program.openTrayMenu();
    ASSERT_TRUE(program.chooseMenuKey('c'));
    ASSERT_TRUE(waitFor([&] { return program.motes().size() == 1; }));
    EXPECT_TRUE(waitFor([&] { return iniValue(folder.ini(), "Husen1", "ID") == "0"; }));
    ASSERT_TRUE(program.quit());
}

}  // namespace
}  // namespace yorimemo::e2e
