// Two PCs sharing the note file through a sync service: two running programs, each in its own
// folder and its own Wine prefix (two Wine servers), and a small sync stand-in that carries the
// file between the folders as a sync client does.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/interaction_support_win32.h"
#include "tests/mote/recording/call_log.h"

namespace yorimemo::e2e {
namespace {

constexpr char kConflictName[] = "yorimemo (conflicted copy 2026-12-07 093612).ini";

std::string note(int number, int x, const std::string& text) {
    const std::string n = std::to_string(number);
    return "[Husen" + n + "]\r\nID=" + std::to_string(number - 1) +
           "\r\nPriority=" + std::to_string(number - 1) + "\r\nPosX=" + std::to_string(x) +
           "\r\nPosY=100\r\nWidth=200\r\nType=0\r\nFontName=\r\nFontSize=9\r\nText=" + text +
           "\r\nTextRed=0\r\n";
}

const std::string kStart =
    "[System]\r\nFloating=Off\r\n" + note(1, 100, "first") + note(2, 400, "second");

// A Linux path as every Wine prefix reaches it.
std::string wineDrivePath(const std::string& linuxPath) {
    return "Z:" + linuxPath;
}

int notesIn(const std::string& ini) {
    int count = 0;
    for (int number = 1; number <= 100; ++number) {
        const std::string id = iniValue(ini, "Husen" + std::to_string(number), "ID", "-1");
        if (!id.empty() && id[0] != '-') ++count;
    }
    return count;
}

// How many notes of `ini` have the colour `type` ("0" cyan, "2" yellow).
int notesOfColour(const std::string& ini, const std::string& type) {
    int count = 0;
    for (int number = 1; number <= 100; ++number) {
        const std::string section = "Husen" + std::to_string(number);
        const std::string id = iniValue(ini, section, "ID", "-1");
        if (!id.empty() && id[0] != '-' && iniValue(ini, section, "Type") == type) ++count;
    }
    return count;
}

// A card a program shows, from the recording library's calls: its text as the log writes it, its
// fill colour and size.
struct Card {
    std::string text;
    std::string fill;
    std::string size;
    bool operator<(const Card& other) const {
        return std::tie(text, fill, size) < std::tie(other.text, other.fill, other.size);
    }
    bool operator==(const Card& other) const {
        return text == other.text && fill == other.fill && size == other.size;
    }
};

// The cards shown by mote id: made, not deleted, drawn through the bitmap they were given.
std::map<std::string, Card> cardsOf(const std::vector<std::string>& calls) {
    std::map<std::string, Card> cards;
    std::map<std::string, std::string> moteOfBitmap;
    for (const std::string& call : calls) {
        std::vector<std::string> fields;
        std::istringstream words(call);
        for (std::string word; words >> word;) fields.push_back(word);
        if (fields[0] == "_create" && fields.size() == 8) {
            cards[fields[7]] = {};
        } else if (fields[0] == "_delete" && fields.size() == 2) {
            cards.erase(fields[1]);
        } else if (fields[0] == "_set_image_h" && fields.size() == 4) {
            moteOfBitmap[fields[2]] = fields[1];
        }
        const auto mote = fields.size() > 3 ? moteOfBitmap.find(fields[1]) : moteOfBitmap.end();
        if (mote == moteOfBitmap.end() || cards.count(mote->second) == 0) continue;
        Card& card = cards[mote->second];
        if (fields[0] == "_fill_rect" && fields.size() == 8) {
            card.fill = fields[7];
            card.size = fields[5] + "x" + fields[6];
        } else if (fields[0] == "_draw_text_w") {
            card.text = fields[2] + " " + fields[3];
        }
    }
    return cards;
}

std::size_t cardsShown(const std::vector<std::string>& calls) {
    return cardsOf(calls).size();
}

// Every card shown, whoever shows it: equal on two PCs that show the same notes.
std::multiset<Card> looks(const std::vector<std::string>& calls) {
    std::multiset<Card> all;
    for (const auto& [id, card] : cardsOf(calls)) all.insert(card);
    return all;
}

// The mote id of the card showing `text`, or -1.
int cardWithText(const std::vector<std::string>& calls, const std::wstring& text) {
    for (const auto& [id, card] : cardsOf(calls)) {
        if (card.text == recording::wideTextFields(text)) return std::stoi(id);
    }
    return -1;
}

long long msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

// Carries the note file between two folders: a file changed on one side only is written to the
// other through a temporary file and a rename; when both changed since the last pass, the newer
// wins on both sides and the older is left beside it under a conflict name.
class SyncStandIn {
public:
    SyncStandIn(std::string first, std::string second)
        : first_(std::move(first)), second_(std::move(second)), last_(readFileBytes(first_)) {}

    void pass() {
        const std::string one = readFileBytes(first_);
        const std::string two = readFileBytes(second_);
        if (one.empty() || two.empty() || one == two) {
            if (one == two) last_ = one;
            return;
        }
        if (two == last_) {
            if (put(second_, two, one)) {
                last_ = one;
                landedThere = std::chrono::steady_clock::now();
            }
        } else if (one == last_) {
            if (put(first_, one, two)) last_ = two;
        } else {
            // Both changed: the second folder's version is kept, the first one's goes beside it.
            const std::string beside =
                first_.substr(0, first_.find_last_of("\\/") + 1) + kConflictName;
            writeFileBytes(beside, one);
            if (put(first_, one, two)) last_ = two;
            ++conflicts;
        }
        ++carried;
    }

    int carried = 0;
    int conflicts = 0;
    std::chrono::steady_clock::time_point landedThere;  // the last file carried to the second

private:
    // Replaces `path`, unless it changed since it was read (a sync client checks that too); the
    // next pass then sees both sides changed.
    static bool put(const std::string& path, const std::string& read, const std::string& bytes) {
        const std::string temporary = path + ".sync";
        writeFileBytes(temporary, bytes);
        if (readFileBytes(path) != read) {
            ::DeleteFileA(temporary.c_str());
            return false;
        }
        return ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    }

    std::string first_;
    std::string second_;
    std::string last_;
};

// The other PC: the helper program in a copy of this Wine prefix, driven through command files.
class OtherPc {
public:
    explicit OtherPc(const std::string& startIni) {
        const char* prefix = std::getenv("WINEPREFIX");
        if (prefix == nullptr) return;
        prefix_ = std::string(prefix) + "-pc2";
        // Copied once and kept: booting a prefix takes far longer than copying one.
        if (runLinuxCommand("test -d '" + prefix_ + "' || (cp -a '" + prefix + "' '" + prefix_ +
                                ".part' && mv '" + prefix_ + ".part' '" + prefix_ + "')",
                            300000) != 0) {
            return;
        }
        writeFileBytes(exchange_.file("start.ini"), startIni);
        const std::string exchange = wineDrivePath(unixPath(exchange_.path()));
        started_ = runLinuxCommand("WINEPREFIX='" + prefix_ + "' nohup wine '" +
                                   std::string(YORIMEMO_SECOND_PC) + "' '" + exchange +
                                   "' >/dev/null 2>&1 &") == 0 &&
                   waitFor([&] { return fileExists(exchange_.file("folder")); }, 60000);
    }
    ~OtherPc() {
        if (started_) command("quit");
        // Its own Wine server, with everything still running in that prefix.
        if (!prefix_.empty()) runLinuxCommand("WINEPREFIX='" + prefix_ + "' wineserver -k");
    }

    bool started() const { return started_; }
    std::string folder() const { return wineDrivePath(readFileBytes(exchange_.file("folder"))); }
    std::string ini() const { return folder() + "/yorimemo.ini"; }
    std::vector<std::string> callLog() const { return recording::readCallLog(folder()); }

    void send(const std::string& what) {
        writeFileBytes(exchange_.file("command-" + std::to_string(++commands_)), what);
    }
    bool done() const {
        return readFileBytes(exchange_.file("done-" + std::to_string(commands_))) == "ok";
    }
    bool command(const std::string& what) {
        send(what);
        return waitFor([&] { return done(); }, 60000);
    }

private:
    testing::TempFolder exchange_{"yorimemo-other-pc"};
    std::string prefix_;
    bool started_ = false;
    int commands_ = 0;
};

class SeveralPcsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine and an X screen";
        here_.writeIni(kStart);
    }

    // Sync passes until the condition holds, as a sync client keeps running.
    bool syncUntil(SyncStandIn& sync, const std::function<bool()>& condition,
                   DWORD deadlineMs = 15000) {
        return waitFor(
            [&] {
                sync.pass();
                return condition();
            },
            deadlineMs, 100);
    }

    ProgramFolder here_{Library::Recording};
};

TEST_F(SeveralPcsTest, ChangesTravelBothWaysWithoutARestartAndTwoProgramsAtRestStopWriting) {
    RunningProgram program(here_);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(program.settle());
    OtherPc other(kStart);
    ASSERT_TRUE(other.started()) << "the other PC's program did not start";
    SyncStandIn sync(here_.ini(), other.ini());
    auto same = [&] { return readFileBytes(here_.ini()) == readFileBytes(other.ini()); };
    ASSERT_TRUE(syncUntil(sync, same));

    // Moved here: the other PC moves its card, without a restart.
    const std::string otherId = iniValue(other.ini(), "Husen1", "ID");
    ASSERT_TRUE(program.sendEvent(eventPayload("OnMoteLButtonDown", 0, 0, 0)));
    ASSERT_TRUE(program.sendEvent(eventPayload("OnMoteMouseMove", 0, 50, 0)));
    ASSERT_TRUE(program.sendEvent(eventPayload("OnMoteLButtonUp", 0, 50, 0)));
    const auto moved = std::chrono::steady_clock::now();
    ASSERT_TRUE(syncUntil(sync, [&] {
        for (const std::string& line : other.callLog()) {
            if (line.rfind("_move " + otherId + " ", 0) == 0) return true;
        }
        return false;
    })) << "the other PC did not move its card";
    std::printf("a move here shown on the other PC after %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - moved)
                                           .count()));
    EXPECT_EQ(iniValue(other.ini(), "Husen1", "PosX"), std::to_string(100 + unscaled(50)));

    // Made there: it reaches this program.
    ASSERT_TRUE(other.command("create"));
    ASSERT_TRUE(syncUntil(sync, [&] { return notesIn(here_.ini()) == 3 && same(); }));

    // Made on both PCs at once, both written before the sync carries either file: it keeps the
    // other PC's file and puts this one's beside it. Both notes survive on both PCs.
    const int conflicts = sync.conflicts;
    ASSERT_TRUE(other.command("create"));  // yellow
    program.openTrayMenu();
    ASSERT_TRUE(program.chooseMenuKey('c'));  // cyan
    ASSERT_TRUE(program.settle());
    ASSERT_TRUE(waitFor([&] { return notesIn(here_.ini()) == 4 && notesIn(other.ini()) == 4; }));
    ASSERT_TRUE(syncUntil(sync, [&] {
        return notesIn(here_.ini()) == 5 && same() && cardsShown(here_.callLog()) == 5 &&
               cardsShown(other.callLog()) == 5;
    })) << "a note made at once on both PCs was lost";
    EXPECT_GT(sync.conflicts, conflicts);
    EXPECT_EQ(notesOfColour(here_.ini(), "2"), 2);
    EXPECT_EQ(notesOfColour(here_.ini(), "0"), 3);

    // Edited, recoloured and erased here, through the note's menu and dialogs: after each, the
    // other PC shows the same cards as this one, without a restart.
    auto shownThere = [&](const char* what) {
        const bool shown = syncUntil(
            sync, [&] { return looks(other.callLog()) == looks(here_.callLog()) && same(); });
        if (shown) {
            std::printf("%s: shown on the other PC %lld ms after the file landed there\n", what,
                        msSince(sync.landedThere));
        }
        return shown;
    };
    auto openNoteMenu = [&](const std::wstring& text) {
        const int id = cardWithText(here_.callLog(), text);
        return id >= 0 && program.sendEvent(eventPayload("OnMoteRButtonUp", id, 0, 0)) &&
               waitFor([&] { return program.popupMenu() != nullptr; });
    };
    ASSERT_TRUE(openNoteMenu(L"first"));
    ASSERT_TRUE(program.chooseMenuKey('e'));
    const HWND dialog = program.waitForDialog(kEditCaption);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(setItemText(dialog, kTextField, "edited here"));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    ASSERT_TRUE(waitFor([&] { return cardWithText(here_.callLog(), L"edited here") >= 0; }));
    ASSERT_TRUE(shownThere("edit")) << "the other PC did not show the edited text";
    EXPECT_GE(cardWithText(other.callLog(), L"edited here"), 0);

    ASSERT_TRUE(openNoteMenu(L"edited here"));
    ASSERT_TRUE(program.chooseMenuKey('y'));
    ASSERT_TRUE(waitFor([&] { return notesOfColour(here_.ini(), "2") == 3; }));
    ASSERT_TRUE(shownThere("recolour")) << "the other PC did not show the new colour";
    const auto there = cardsOf(other.callLog());
    const auto recoloured =
        there.find(std::to_string(cardWithText(other.callLog(), L"edited here")));
    ASSERT_NE(recoloured, there.end());
    char yellow[16];
    std::snprintf(yellow, sizeof yellow, "0x%06X", static_cast<unsigned>(kYellowFill));
    EXPECT_EQ(recoloured->second.fill, yellow);

    ASSERT_TRUE(openNoteMenu(L"edited here"));
    ASSERT_TRUE(program.chooseMenuKey('d'));
    const HWND erase = program.waitForDialog(kEraseCaption);
    ASSERT_NE(erase, nullptr);
    ASSERT_TRUE(PressButton(erase, IDOK));
    ASSERT_TRUE(waitFor([&] { return cardsShown(here_.callLog()) == 4; }));
    ASSERT_TRUE(shownThere("erase")) << "the other PC still shows the erased note";
    EXPECT_EQ(cardsShown(other.callLog()), 4u);
    EXPECT_EQ(notesIn(other.ini()), 4);

    // Left alone: neither writes any more.
    const std::string settled = readFileBytes(here_.ini());
    const int carried = sync.carried;
    const bool quiet = !syncUntil(
        sync, [&] { return sync.carried != carried || !same(); }, 4000);
    EXPECT_TRUE(quiet) << "the programs kept writing";
    EXPECT_EQ(readFileBytes(here_.ini()), settled);
    std::printf("passes that carried the file: %d, conflicts: %d\n", sync.carried, sync.conflicts);

    EXPECT_TRUE(program.quit());
}

}  // namespace
}  // namespace yorimemo::e2e
