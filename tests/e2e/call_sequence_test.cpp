// The real program against the recording mote.dll: the exact calls it makes at start and at quit,
// what it leaves in the settings file, and that a mote.dll anywhere but beside it gets no call.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/mote/recording/call_log.h"

namespace yorimemo::e2e {
namespace {

using recording::textFields;
using recording::wideTextFields;

constexpr char kDefaultFont[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr char kMinchoFont[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
// "付箋" and "メモ": two lines of Japanese text.
constexpr char kJapaneseText[] = "\x95\x74\xE2\xB3\r\n\x83\x81\x83\x82";
// The same three texts as the UTF-16 calls get them.
constexpr wchar_t kDefaultFontWide[] = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
constexpr wchar_t kMinchoFontWide[] = L"\uFF2D\uFF33 \u660E\u671D";
constexpr wchar_t kJapaneseTextWide[] = L"\u4ED8\u7B8B\r\n\u30E1\u30E2";

// Three notes in slots 0, 2 and 4 with priorities 30, 10 and 20, a free section between them,
// and a default height of 40. Slot 0 has three lines (taller than the default), slot 2 an empty
// text and a colour outside the three, slot 4 red text on magenta with keys left to default.
const std::string kSettings =
    "[System]\r\nFloating=On\r\nHeight=40\r\n"
    "[Husen1]\r\nID=5\r\nPriority=30\r\nPosX=100\r\nPosY=120\r\nWidth=200\r\nType=0\r\n"
    "FontName=" +
    std::string(kMinchoFont) +
    "\r\nFontSize=12\r\nText=first line\\nsecond\\nthird\r\nTextRed=0\r\n"
    "[Husen2]\r\nID=-1\r\nPriority=1\r\nText=free\r\n"
    "[Husen3]\r\nID=0\r\nPriority=10\r\nPosX=-20\r\nPosY=7\r\nWidth=150\r\nType=7\r\n"
    "Text=\r\nTextRed=0\r\n"
    "[Husen5]\r\nID=12\r\nPriority=20\r\nPosX=300\r\nPosY=400\r\nType=1\r\nText=\x95\x74\xE2\xB3"
    "\\n\x83\x81\x83\x82\r\nTextRed=1\r\n";

std::string hwndText(HWND window) {
    return std::to_string(reinterpret_cast<INT_PTR>(window));
}

// A library with the UTF-16 text calls gets every text through them, an older one the same texts
// as code page 932 bytes.
enum class TextCalls { Wide, Narrow };

std::vector<std::string> startCalls(const ProgramFolder& folder, HWND host, TextCalls kind) {
    const bool wide = kind == TextCalls::Wide;
    const std::string slot0Text = wide ? wideTextFields(L"first line\r\nsecond\r\nthird")
                                       : textFields("first line\r\nsecond\r\nthird");
    const std::string slot4Text =
        wide ? wideTextFields(kJapaneseTextWide) : textFields(kJapaneseText);
    const std::string createFont = wide ? "_create_font_w " : "_create_font ";
    const std::string dpi = wide ? " " + std::to_string(screenDpi()) : "";
    const std::string drawText = wide ? "_draw_text_w " : "_draw_text ";
    const std::string mincho = wide ? wideTextFields(kMinchoFontWide) : textFields(kMinchoFont);
    const std::string gothic = wide ? wideTextFields(kDefaultFontWide) : textFields(kDefaultFont);
    std::vector<std::string> calls = {
        "_load " + textFields(folder.path()),
        "_floating 1",
        "_attach " + hwndText(host),
        // The stored notes come up together.
        "_lock_draw",
        // Slot 0: compacted priority 2, three lines measure to 6 + 42, card 53 high.
        "_lock_draw",
        createFont + mincho + " 12" + dpi + " -> 12289",
        drawText + "0 " + slot0Text + " 12289 0x8080 5 6 195 0 0x410 -> 5 6 195 48",
        "_create 100 120 0 0 2 -> 0",
        "_create_bitmap 200 53 ptr -> 4097 8193",
        "_set_image_h 0 4097 8193",
        "_fill_rect 4097 8193 0 1 200 52 0x7FFFFF",
        "_draw_line 4097 8193 0 0 199 0 0x0",
        drawText + "4097 " + slot0Text + " 12289 0x8080 5 6 195 48 0x10",
        "_delete_font 12289",
        "_update_image_h 0",
        "_unlock_draw",
        // Slot 2: priority 0, empty text, default font, black fill.
        "_lock_draw",
        createFont + gothic + " 9" + dpi + " -> 12290",
        drawText + "0 null 0 12290 0xFFFFFF81 5 6 145 0 0x410 -> 5 6 145 6",
        "_create 0 7 0 0 0 -> 1",  // partly off the screen: shown wholly on it
        "_create_bitmap 150 40 ptr -> 4098 8194",
        "_set_image_h 1 4098 8194",
        "_fill_rect 4098 8194 0 1 150 39 0x0",
        "_draw_line 4098 8194 0 0 149 0 0x0",
        drawText + "4098 null 0 12290 0xFFFFFF81 5 6 145 6 0x10",
        "_delete_font 12290",
        "_update_image_h 1",
        "_unlock_draw",
        // Slot 4: priority 1, width 300 by default, two lines (6 + 28 + 5 < 40).
        "_lock_draw",
        createFont + gothic + " 9" + dpi + " -> 12291",
        drawText + "0 " + slot4Text + " 12291 0xFF0000 5 6 295 0 0x410 -> 5 6 295 34",
        "_create 300 400 0 0 1 -> 2",
        "_create_bitmap 300 40 ptr -> 4099 8195",
        "_set_image_h 2 4099 8195",
        "_fill_rect 4099 8195 0 1 300 39 0xFF7FFF",
        "_draw_line 4099 8195 0 0 299 0 0x0",
        drawText + "4099 " + slot4Text + " 12291 0xFF0000 5 6 295 34 0x10",
        "_delete_font 12291",
        "_update_image_h 2",
        "_unlock_draw",
        "_unlock_draw",
    };
    if (wide) {
        // Each card's window is named by its text on one line, right after it gets its picture.
        const std::pair<std::string, std::string> titles[] = {
            {"_set_image_h 0 4097 8193",
             "_set_title_w 0 " + wideTextFields(L"first line second third")},
            {"_set_image_h 1 4098 8194", "_set_title_w 1 null 0"},
            {"_set_image_h 2 4099 8195",
             "_set_title_w 2 " + wideTextFields(L"\u4ED8\u7B8B \u30E1\u30E2")},
        };
        for (const auto& [after, title] : titles) {
            calls.insert(std::find(calls.begin(), calls.end(), after) + 1, title);
        }
    }
    return calls;
}

std::string section(const ProgramFolder& folder, const std::string& name) {
    std::string keys;
    for (const char* key : {"ID", "Priority", "PosX", "PosY", "Width", "Type", "FontName",
                            "FontSize", "Text", "TextRed"}) {
        keys += std::string(key) + "=" + iniValue(folder.ini(), name, key, "<none>") + ";";
    }
    return keys;
}

class CallSequenceTest : public ::testing::Test {
protected:
    explicit CallSequenceTest(Library library = Library::Recording) : folder_(library) {
        folder_.writeIni(kSettings);
    }

    // The log once start-up has drawn `notes` notes and released the lock around them all.
    bool waitForStart(RunningProgram& program, int notes) {
        return program.host() != nullptr && waitFor([&] {
                   int unlocks = 0;
                   for (const std::string& line : folder_.callLog()) {
                       if (line == "_unlock_draw") ++unlocks;
                   }
                   return unlocks == notes + 1;
               }) &&
               program.settle();
    }

    // The three stored notes are still in use and the free section still free.
    void expectStoredNotesKept() const {
        for (const char* name : {"Husen1", "Husen3", "Husen5"}) {
            const std::string id = iniValue(folder_.ini(), name, "ID", "-1");
            EXPECT_TRUE(!id.empty() && id[0] != '-') << name << " dropped: ID=" << id;
        }
        EXPECT_EQ(iniValue(folder_.ini(), "Husen2", "ID"), "-1");
    }

    ProgramFolder folder_;
};

TEST_F(CallSequenceTest, StartDrawsEveryStoredNoteInSlotOrderWithExactCalls) {
    RunningProgram program(folder_);
    ASSERT_TRUE(waitForStart(program, 3)) << "exit code " << program.exitCode();
    const std::vector<std::string> calls = folder_.callLog();
    EXPECT_EQ(calls, startCalls(folder_, program.host(), TextCalls::Wide));
    for (const std::string& line : calls) {
        EXPECT_NE(line.rfind("_delete ", 0), 0u) << "a stored id reached the library: " << line;
    }
}

TEST_F(CallSequenceTest, StartSavesEachNoteWithItsNewIdAndLeavesFreeSectionsAlone) {
    RunningProgram program(folder_);
    ASSERT_TRUE(waitForStart(program, 3));
    // Each section is saved after its note is drawn; the last one ends the start.
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "Husen5", "ID") == "2"; }));

    EXPECT_EQ(
        section(folder_, "Husen1"),
        "ID=0;Priority=2;PosX=100;PosY=120;Width=200;Type=0;FontName=" + std::string(kMinchoFont) +
            ";FontSize=12;Text=first line\\nsecond\\nthird;TextRed=0;");
    EXPECT_EQ(section(folder_, "Husen3"),
              "ID=1;Priority=0;PosX=-20;PosY=7;Width=150;Type=7;FontName=" +
                  std::string(kDefaultFont) + ";FontSize=9;Text=;TextRed=0;");
    EXPECT_EQ(
        section(folder_, "Husen5"),
        "ID=2;Priority=1;PosX=300;PosY=400;Width=300;Type=1;FontName=" + std::string(kDefaultFont) +
            ";FontSize=9;Text=\x95\x74\xE2\xB3\\n\x83\x81\x83\x82;TextRed=1;");
    // The free section is not rewritten; the platform's reader agrees with ours.
    EXPECT_EQ(section(folder_, "Husen2"),
              "ID=-1;Priority=1;PosX=<none>;PosY=<none>;Width=<none>;Type=<none>;"
              "FontName=<none>;FontSize=<none>;Text=free;TextRed=<none>;");
    EXPECT_EQ(platformIniValue(folder_.ini(), "Husen3", "ID"), "1");
    EXPECT_EQ(platformIniValue(folder_.ini(), "System", "Height"), "40");
}

TEST_F(CallSequenceTest, QuitReleasesBitmapsThenUnloadsAndWritesNothing) {
    RunningProgram program(folder_);
    ASSERT_TRUE(waitForStart(program, 3));
    const std::string settingsAfterStart = folder_.readIni();
    const std::size_t startLength = folder_.callLog().size();

    ASSERT_TRUE(program.quit()) << "the program did not end from its tray menu";
    EXPECT_EQ(program.exitCode(), 0u);

    const std::vector<std::string> calls = folder_.callLog();
    ASSERT_GE(calls.size(), startLength);
    const std::vector<std::string> quitCalls(calls.begin() + startLength, calls.end());
    // The menu lifts the notes off the top and puts them back; then the release.
    EXPECT_EQ(quitCalls,
              (std::vector<std::string>{"_floating 0", "_floating 1", "_delete_bitmap 4097",
                                        "_delete_bitmap 4098", "_delete_bitmap 4099", "_unload"}));
    EXPECT_EQ(folder_.readIni(), settingsAfterStart);
}

// Only the mote.dll beside the program is ever loaded. One on the program's PATH would start its
// log in the program's folder with `_load`, and `_unload` would add to it at quit.
TEST_F(CallSequenceTest, ALibraryOnPathIsNotLoadedAndTheProgramRunsWithoutIt) {
    folder_.useLibrary(Library::None);
    const ProgramFolder onPath(Library::Recording);  // only its mote.dll matters
    {
        RunningProgram program(folder_, onPath.path());
        ASSERT_TRUE(program.settle()) << "exit code " << program.exitCode();
        ASSERT_TRUE(program.quit());
        EXPECT_EQ(program.exitCode(), 0u);
    }
    EXPECT_FALSE(fileExists(folder_.file(recording::kCallLogName)));
    EXPECT_FALSE(fileExists(onPath.file(recording::kCallLogName)));
    expectStoredNotesKept();
}

class OlderLibraryTest : public CallSequenceTest {
protected:
    OlderLibraryTest() : CallSequenceTest(Library::RecordingNarrow) {}
};

TEST_F(OlderLibraryTest, StartDrawsTheSameTextsInCodePage932) {
    RunningProgram program(folder_);
    ASSERT_TRUE(waitForStart(program, 3)) << "exit code " << program.exitCode();
    EXPECT_EQ(folder_.callLog(), startCalls(folder_, program.host(), TextCalls::Narrow));
}

class NoCreateLibraryTest : public CallSequenceTest {
protected:
    NoCreateLibraryTest() : CallSequenceTest(Library::RecordingNoCreate) {}
};

TEST_F(NoCreateLibraryTest, StoredNotesStayInUseAndComeBackWithTheRealLibrary) {
    {
        RunningProgram program(folder_);
        ASSERT_TRUE(waitForStart(program, 3));
        for (const std::string& line : folder_.callLog()) {
            EXPECT_NE(line.rfind("_create ", 0), 0u) << line;
        }
        ASSERT_TRUE(program.quit());
    }
    expectStoredNotesKept();

    folder_.useLibrary(Library::Real);
    RunningProgram program(folder_);
    ASSERT_NE(program.host(), nullptr);
    EXPECT_TRUE(waitFor([&] { return program.motes().size() == 3; }))
        << program.motes().size() << " notes shown";
}

}  // namespace
}  // namespace yorimemo::e2e
