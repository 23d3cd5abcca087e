#include "notes/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

using testing::kUtf8Mark;
using testing::readFileBytes;
using testing::ScriptedFileSystem;
using testing::TempFolder;
using testing::writeFileBytes;

const std::string kGothic = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string kGothicUtf8 =
    "\xEF\xBC\xAD\xEF\xBC\xB3\x20\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

// The file with each erased note's stamp and time, which follow the clock, as "*".
std::string stampsBlanked(std::string bytes) {
    for (const std::string key : {"[Erased", "ErasedOn="}) {
        const std::size_t length = key == "[Erased" ? 21 : 19;
        for (std::size_t at = bytes.find(key); at != std::string::npos;
             at = bytes.find(key, at + 1)) {
            bytes.replace(at + key.size(), length, "*");
        }
    }
    return bytes;
}

class SettingsFileTest : public ::testing::Test {
protected:
    NoteTable loadFrom(const std::string& bytes) {
        writeFileBytes(ini, bytes);
        return load();
    }
    NoteTable load() {
        NoteTable table;
        SettingsFile(ini).load(table);
        return table;
    }
    // What every start does after reading: each note in use is saved whole, in one write.
    NoteTable loadAndRewriteEveryNote() {
        SettingsFile file(ini);
        NoteTable table;
        file.load(table);
        const SettingsFile::Batch oneWrite(file);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (table.slots[slot].inUse()) file.saveNote(table, slot);
        }
        return table;
    }

    TempFolder folder;
    std::string ini = folder.file("yorimemo.ini");
};

// Reading.

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsNotCreated) {
    const NoteTable table = load();
    EXPECT_EQ(table.floating, 0);
    EXPECT_EQ(table.defaultWidth, 300);
    EXPECT_EQ(table.defaultHeight, 50);
    EXPECT_EQ(table.defaultFontName, kGothic);
    EXPECT_EQ(table.defaultFontSize, 9);
    EXPECT_EQ(table.nextPriority, 0);
    for (const NoteSlot& slot : table.slots) EXPECT_EQ(slot.moteId, -1);
    EXPECT_FALSE(testing::fileExists(ini));
}

TEST_F(SettingsFileTest, SystemSectionValues) {
    const NoteTable table = loadFrom(
        "[System]\r\nFloating=on\r\nWidth=250\r\nHeight=40\r\nFontName=Arial\r\nFontSize=12\r\n");
    EXPECT_EQ(table.floating, 1);
    EXPECT_EQ(table.defaultWidth, 250);
    EXPECT_EQ(table.defaultHeight, 40);
    EXPECT_EQ(table.defaultFontName, "Arial");
    EXPECT_EQ(table.defaultFontSize, 12);
}

TEST_F(SettingsFileTest, FloatingIsOnOnlyForOnInAnyCase) {
    for (const char* on : {"on", "On", "ON", "oN"}) {
        EXPECT_EQ(loadFrom(std::string("[System]\r\nFloating=") + on + "\r\n").floating, 1) << on;
    }
    for (const char* off : {"Off", "", "1", "yes", "onn", "o"}) {
        EXPECT_EQ(loadFrom(std::string("[System]\r\nFloating=") + off + "\r\n").floating, 0) << off;
    }
}

TEST_F(SettingsFileTest, SectionWithOnlyIdGivesTheNoteDefaults) {
    const NoteTable table =
        loadFrom("[System]\r\nWidth=111\r\nFontSize=22\r\nFontName=Other\r\n[Husen1]\r\nID=0\r\n");
    const NoteSlot& slot = table.slots[0];
    EXPECT_EQ(slot.moteId, 0);
    EXPECT_EQ(slot.priority, 0);
    EXPECT_EQ(slot.x, 0);
    EXPECT_EQ(slot.y, 0);
    EXPECT_EQ(slot.width, 300);
    EXPECT_EQ(slot.color, kCyan);
    EXPECT_EQ(slot.fontName, kGothic);
    EXPECT_EQ(slot.fontSize, 9);
    EXPECT_EQ(slot.text, "");
    EXPECT_EQ(slot.textRed, 0);
    EXPECT_EQ(table.nextPriority, 1);
}

TEST_F(SettingsFileTest, ReadsEveryKeyOfANote) {
    const NoteTable table = loadFrom(
        "[Husen100]\r\nID=12\r\nPriority=4\r\nPosX=-20\r\nPosY=30\r\nWidth=180\r\nType=7\r\n"
        "FontName=Mono\r\nFontSize=14\r\nText=a\\nb\r\nTextRed=1\r\n");
    const NoteSlot& slot = table.slots[99];
    EXPECT_EQ(slot.moteId, 12);
    EXPECT_EQ(slot.priority, 0);
    EXPECT_EQ(slot.x, -20);
    EXPECT_EQ(slot.y, 30);
    EXPECT_EQ(slot.width, 180);
    EXPECT_EQ(slot.color, 7);
    EXPECT_EQ(slot.fontName, "Mono");
    EXPECT_EQ(slot.fontSize, 14);
    EXPECT_EQ(slot.text, "a\r\nb");
    EXPECT_EQ(slot.textRed, 1);
}

TEST_F(SettingsFileTest, NegativeIdFreesTheSlotAndLeavesItsOtherFields) {
    writeFileBytes(ini, "[Husen3]\r\nID=-7\r\nPriority=99\r\nText=ignored\r\n");
    NoteTable table;
    table.slots[2].text = "before";
    table.slots[2].priority = 5;
    SettingsFile(ini).load(table);
    EXPECT_EQ(table.slots[2].moteId, -7);
    EXPECT_EQ(table.slots[2].text, "before");
    EXPECT_EQ(table.slots[2].priority, 5);
    EXPECT_EQ(table.nextPriority, 0);
}

TEST_F(SettingsFileTest, EmptyOrNonNumericIdMarksTheSlotInUse) {
    const NoteTable table = loadFrom("[Husen1]\r\nID=\r\n[Husen2]\r\nID=abc\r\n");
    EXPECT_EQ(table.slots[0].moteId, 0);
    EXPECT_EQ(table.slots[1].moteId, 0);
}

TEST_F(SettingsFileTest, OnlyHusen1ToHusen100AreRead) {
    const NoteTable table =
        loadFrom("[Husen0]\r\nID=1\r\n[Husen101]\r\nID=1\r\n[Husen01]\r\nID=1\r\n");
    for (const NoteSlot& slot : table.slots) EXPECT_FALSE(slot.inUse());
}

TEST_F(SettingsFileTest, TextRedIsSetOnlyByTheNumberOne) {
    for (const char* red : {"1", "01", "+1", " 1"}) {
        const NoteTable table = loadFrom(std::string("[Husen1]\r\nID=0\r\nTextRed=") + red);
        EXPECT_EQ(table.slots[0].textRed, 1) << red;
    }
    for (const char* notRed : {"2", "-1", "0", "yes", ""}) {
        const NoteTable table = loadFrom(std::string("[Husen1]\r\nID=0\r\nTextRed=") + notRed);
        EXPECT_EQ(table.slots[0].textRed, 0) << notRed;
    }
}

TEST_F(SettingsFileTest, LongValuesAreReadWhole) {
    std::string text(5000, 'x');
    text += "\\nend";
    const NoteTable table = loadFrom("[Husen1]\r\nID=0\r\nText=" + text + "\r\n");
    EXPECT_EQ(table.slots[0].text, std::string(5000, 'x') + "\r\nend");
}

TEST_F(SettingsFileTest, PrioritiesAreCompactedOnLoad) {
    const NoteTable table = loadFrom(
        "[Husen1]\r\nID=3\r\nPriority=12\r\n[Husen2]\r\nID=-1\r\nPriority=99\r\n"
        "[Husen3]\r\nID=7\r\nPriority=5\r\n[Husen4]\r\nID=0\r\nPriority=40\r\n"
        "[Husen5]\r\nID=2\r\nPriority=12\r\n[Husen6]\r\nID=5\r\nPriority=7\r\n");
    EXPECT_EQ(table.slots[0].priority, 2);
    EXPECT_EQ(table.slots[2].priority, 0);
    EXPECT_EQ(table.slots[3].priority, 3);
    EXPECT_EQ(table.slots[4].priority, 2);
    EXPECT_EQ(table.slots[5].priority, 1);
    EXPECT_EQ(table.nextPriority, 4);
}

TEST_F(SettingsFileTest, OutOfRangeNumbersSaturate) {
    const NoteTable table = loadFrom(
        "[Husen1]\r\nID=99999999999\r\nPosX=-99999999999\r\nPriority=2147483648\r\n"
        "[Husen2]\r\nID=1\r\nPriority=-2147483649\r\n");
    EXPECT_EQ(table.slots[0].moteId, 2147483647);
    EXPECT_EQ(table.slots[0].x, -2147483647 - 1);
    EXPECT_EQ(table.slots[0].priority, 1);
    EXPECT_EQ(table.slots[1].priority, 0);
}

TEST_F(SettingsFileTest, StartUpReadsTheFileOnce) {
    writeFileBytes(ini, "[Husen1]\r\nID=0\r\n[Husen2]\r\nID=1\r\n");
    ScriptedFileSystem files;
    NoteTable table;
    SettingsFile(ini, files).load(table);
    EXPECT_EQ(files.reads, 1);
    EXPECT_TRUE(table.slots[1].inUse());
}

// Writing: the exact bytes each operation leaves.

NoteTable sampleNote(int slot) {
    NoteTable table;
    NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
    note.moteId = 4;
    note.priority = 2;
    note.x = -10;
    note.y = 20;
    note.width = 300;
    note.color = kYellow;
    note.fontName = kGothic;
    note.fontSize = 9;
    note.text = "first\r\nsecond";
    note.textRed = 5;
    return table;
}

TEST_F(SettingsFileTest, SaveNoteWritesTenKeysInOrder) {
    SettingsFile(ini).saveNote(sampleNote(2), 2);
    EXPECT_EQ(readFileBytes(ini),
              "[Husen3]\r\nID=4\r\nPriority=2\r\nPosX=-10\r\nPosY=20\r\nWidth=300\r\nType=2\r\n"
              "FontName=" +
                  kGothic + "\r\nFontSize=9\r\nText=first\\nsecond\r\nTextRed=1\r\n");
    EXPECT_FALSE(testing::fileExists(ini + ".tmp"));
}

TEST_F(SettingsFileTest, SaveNoteReplacesKeysInPlaceAndKeepsOthers) {
    writeFileBytes(
        ini, "; mine\r\n[Husen1]\r\nColour=pink\r\nText=old\r\nid=9\r\n\r\n[Other]\r\nx=1\r\n");
    SettingsFile(ini).saveNote(sampleNote(0), 0);
    EXPECT_EQ(readFileBytes(ini),
              "; mine\r\n[Husen1]\r\nColour=pink\r\nText=first\\nsecond\r\nid=4\r\n"
              "Priority=2\r\nPosX=-10\r\nPosY=20\r\nWidth=300\r\nType=2\r\nFontName=" +
                  kGothic + "\r\nFontSize=9\r\nTextRed=1\r\n\r\n[Other]\r\nx=1\r\n");
}

TEST_F(SettingsFileTest, SavePriorityAndSavePositionWriteOnlyTheirKeys) {
    writeFileBytes(ini, "[Husen1]\r\nID=1\r\nPriority=0\r\nPosX=0\r\nPosY=0\r\nWidth=300\r\n");
    NoteTable table = sampleNote(0);
    SettingsFile file(ini);
    file.savePriority(table, 0);
    EXPECT_EQ(readFileBytes(ini),
              "[Husen1]\r\nID=1\r\nPriority=2\r\nPosX=0\r\nPosY=0\r\nWidth=300\r\n");
    file.savePosition(table, 0);
    EXPECT_EQ(readFileBytes(ini),
              "[Husen1]\r\nID=1\r\nPriority=2\r\nPosX=-10\r\nPosY=20\r\nWidth=300\r\n");
    file.savePosition(sampleNote(5), 5);
    EXPECT_EQ(readFileBytes(ini),
              "[Husen1]\r\nID=1\r\nPriority=2\r\nPosX=-10\r\nPosY=20\r\nWidth=300\r\n"
              "[Husen6]\r\nPosX=-10\r\nPosY=20\r\n");
}

TEST_F(SettingsFileTest, EraseNoteSectionRemovesOnlyThatSection) {
    writeFileBytes(ini,
                   "[Husen1]\r\nID=1\r\n[Husen10]\r\nID=2\r\nextra=3\r\n\r\n[Husen11]\r\nID=3\r\n");
    SettingsFile(ini).eraseNoteSection(9);
    EXPECT_EQ(stampsBlanked(readFileBytes(ini)),
              "[Husen1]\r\nID=1\r\n[Husen11]\r\nID=3\r\n"
              "[Erased*]\r\nID=2\r\nextra=3\r\nErasedOn=*\r\nSlot=10\r\n\r\n");
}

TEST_F(SettingsFileTest, SaveFloatingWritesOnOrOff) {
    writeFileBytes(ini, "[System]\r\nFloating=off\r\nWidth=200\r\n");
    NoteTable table;
    SettingsFile file(ini);
    table.floating = 1;
    file.saveFloating(table);
    EXPECT_EQ(readFileBytes(ini), "[System]\r\nFloating=On\r\nWidth=200\r\n");
    table.floating = 0;
    file.saveFloating(table);
    EXPECT_EQ(readFileBytes(ini), "[System]\r\nFloating=Off\r\nWidth=200\r\n");
}

TEST_F(SettingsFileTest, TypeAndClearedRedFlagAreWrittenAsNumbers) {
    NoteTable table = loadFrom("[Husen1]\r\nID=0\r\nType=7\r\nTextRed=2\r\n");
    SettingsFile(ini).saveNote(table, 0);
    const std::string bytes = readFileBytes(ini);
    EXPECT_NE(bytes.find("\r\nType=7\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nTextRed=0\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, EditsMadeByOthersSinceStartAreKept) {
    writeFileBytes(ini, "[Husen1]\r\nID=0\r\n");
    NoteTable table = load();
    SettingsFile file(ini);
    writeFileBytes(ini, "[Husen1]\r\nID=0\r\nMemo=added later\r\n[System]\r\nFontSize=11\r\n");
    table.slots[0].priority = 3;
    file.savePriority(table, 0);
    EXPECT_EQ(readFileBytes(ini),
              "[Husen1]\r\nID=0\r\nMemo=added later\r\nPriority=3\r\n[System]\r\nFontSize=11\r\n");
}

TEST_F(SettingsFileTest, EachOperationIsOneWrite) {
    ScriptedFileSystem files;
    SettingsFile file(ini, files);
    NoteTable table = sampleNote(0);
    file.saveNote(table, 0);
    EXPECT_EQ(files.writes, 1);
    table.slots[0].x = 1;
    table.slots[0].y = 2;
    file.savePosition(table, 0);
    EXPECT_EQ(files.writes, 2);
    table.slots[0].priority = 7;
    file.savePriority(table, 0);
    file.saveFloating(table);
    file.eraseNoteSection(0);
    EXPECT_EQ(files.writes, 5);
    EXPECT_EQ(files.renames, 5);
    // Writing what the file already holds changes nothing and so writes nothing.
    file.saveFloating(table);
    EXPECT_EQ(files.writes, 5);
}

TEST_F(SettingsFileTest, BatchGathersNestedWritesIntoOneWriteAtTheOutermostClose) {
    ScriptedFileSystem files;
    SettingsFile file(ini, files);
    NoteTable table;
    for (int i = 0; i < kSlotCount; ++i) {
        table.slots[i].moteId = i;
        table.slots[i].text = "note " + std::to_string(i);
    }
    {
        const SettingsFile::Batch outer(file);
        for (int i = 0; i < kSlotCount; ++i) {
            const SettingsFile::Batch inner(file);
            file.saveNote(table, i);
        }
        EXPECT_EQ(files.writes, 0);
        EXPECT_FALSE(testing::fileExists(ini));
    }
    EXPECT_EQ(files.writes, 1);
    const NoteTable reread = load();
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(reread.slots[i].moteId, i);
        EXPECT_EQ(reread.slots[i].text, "note " + std::to_string(i));
    }
}

TEST_F(SettingsFileTest, BatchKeepsTheOrderOfItsOperations) {
    ScriptedFileSystem files;
    SettingsFile file(ini, files);
    NoteTable table = sampleNote(0);
    {
        const SettingsFile::Batch batch(file);
        file.saveNote(table, 0);
        file.eraseNoteSection(0);
        file.savePriority(table, 0);
    }
    EXPECT_EQ(stampsBlanked(readFileBytes(ini)),
              "[Erased*]\r\nID=4\r\nPriority=2\r\nPosX=-10\r\nPosY=20\r\nWidth=300\r\nType=2\r\n"
              "FontName=" +
                  kGothic +
                  "\r\nFontSize=9\r\nText=first\\nsecond\r\nTextRed=1\r\nErasedOn=*\r\nSlot=1\r\n"
                  "[Husen1]\r\nPriority=2\r\n");
    { const SettingsFile::Batch empty(file); }
    EXPECT_EQ(files.writes, 1);
}

TEST_F(SettingsFileTest, SavedNotesLoadBackWithTheSameValues) {
    const std::string texts[] = {
        "  leading and trailing  ",
        "\"quoted\"",
        "'single'",
        "\x83\x5c\r\n\x83\x5c",
        "\x81\x40"
        "full-width blank"
        "\x81\x40",
        "tab\there",
        std::string(3000, 'y') + "\r\n" + std::string(3000, 'z'),
        "",
    };
    const std::string fonts[] = {" Spaced Font ", "\"Quoted\"", kGothic};
    NoteTable table;
    int slot = 0;
    for (const std::string& text : texts) {
        NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
        note.moteId = slot;
        note.priority = slot;
        note.text = text;
        note.fontName = fonts[slot % 3];
        ++slot;
    }
    SettingsFile file(ini);
    {
        const SettingsFile::Batch batch(file);
        for (int i = 0; i < slot; ++i) file.saveNote(table, i);
    }
    const NoteTable reread = load();
    for (int i = 0; i < slot; ++i) {
        EXPECT_EQ(reread.slots[i].text, table.slots[i].text) << "slot " << i;
        EXPECT_EQ(reread.slots[i].fontName, table.slots[i].fontName) << "slot " << i;
    }
}

TEST_F(SettingsFileTest, LoneLineBreaksComeBackAsCrLf) {
    NoteTable table = sampleNote(0);
    table.slots[0].text = "a\rb\nc";
    SettingsFile(ini).saveNote(table, 0);
    EXPECT_NE(readFileBytes(ini).find("\r\nText=a\\nb\\nc\r\n"), std::string::npos);
    EXPECT_EQ(load().slots[0].text, "a\r\nb\r\nc");
}

// The file's encoding.

TEST_F(SettingsFileTest, AFileWithTheUtf8MarkIsReadAsUtf8AndKeepsTheMark) {
    writeFileBytes(ini, kUtf8Mark + "[Husen1]\r\nID=0\r\nText=\xE3\x82\xBD\\n\x83\\n\r\n");
    SettingsFile file(ini);
    NoteTable table;
    file.load(table);
    EXPECT_EQ(table.encoding, TextEncoding::kUtf8);
    ASSERT_TRUE(table.slots[0].inUse());
    EXPECT_EQ(table.slots[0].text, "\xE3\x82\xBD\r\n\x83\r\n");
    EXPECT_EQ(table.slots[0].fontName, kGothicUtf8);
    EXPECT_EQ(table.defaultFontName, kGothicUtf8);

    table.slots[1] = sampleNote(1).slots[1];
    file.saveNote(table, 1);
    const std::string bytes = readFileBytes(ini);
    EXPECT_EQ(bytes.rfind(kUtf8Mark + "[Husen1]\r\n", 0), 0u) << bytes;
    EXPECT_EQ(bytes.find("[Husen1]", 4), std::string::npos) << "one section per slot";
    EXPECT_NE(bytes.find("[Husen2]\r\nID=4\r\n"), std::string::npos);

    // Removed since the start: made again with the mark, so that its values read back the same.
    std::filesystem::remove(ini);
    file.saveNote(table, 1);
    EXPECT_EQ(readFileBytes(ini).rfind(kUtf8Mark + "[Husen2]\r\n", 0), 0u);
}

TEST_F(SettingsFileTest, WithoutTheMarkTheFileIsShiftJis) {
    const NoteTable table = loadFrom("[Husen1]\r\nID=0\r\nText=\x83\\n\r\n");
    EXPECT_EQ(table.encoding, TextEncoding::kShiftJis);
    EXPECT_EQ(table.slots[0].text, "\x83\\n") << "83 5C is one character";
    EXPECT_EQ(table.slots[0].fontName, kGothic);
}

TEST_F(SettingsFileTest, AnUnreadableFileLeavesTheEncodingUntilItIsRead) {
    writeFileBytes(ini, "[Husen1]\r\nID=0\r\n");
    ScriptedFileSystem files;
    files.failReads = true;
    SettingsFile file(ini, files);
    NoteTable table;
    table.encoding = TextEncoding::kUtf8;
    EXPECT_FALSE(file.load(table));
    EXPECT_EQ(table.encoding, TextEncoding::kUtf8);
    EXPECT_EQ(table.defaultFontName, kGothicUtf8) << "in the encoding of the notes made meanwhile";
    files.failReads = false;
    ASSERT_TRUE(file.load(table));
    EXPECT_EQ(table.encoding, TextEncoding::kShiftJis);
}

// A start rewrites every note it read; a value nobody changed keeps its bytes, whatever they are.
// Numbers here are already as "%d" writes them, so the whole file must come back unchanged.

std::string noteSection(int number, const std::string& fontLine, const std::string& textLine) {
    const std::string n = std::to_string(number - 1);
    return "[Husen" + std::to_string(number) + "]\r\nID=" + n + "\r\nPriority=" + n +
           "\r\nPosX = -10 \r\nPosY=20\r\nWidth=300\r\nType=2\r\n" + fontLine +
           "\r\nFontSize=9\r\n" + textLine + "\r\nTextRed=0\r\n";
}

TEST_F(SettingsFileTest, StartUpRewriteKeepsAShiftJisFileByteForByte) {
    using namespace std::string_literals;
    const std::string file =
        "; by hand\r\n" +
        // NEC-selected IBM extensions, IBM extensions, NEC specials, both codes of "≒".
        noteSection(1, "FontName=" + kGothic,
                    "Text=\xED\x40\xED\x41\xFA\x40\xFA\x5C\x87\x40\x87\x90\x81\xE0") +
        // Bytes no character uses, and a lead byte that ends the value.
        noteSection(2, "fontname =  \" Mono \"  ", "Text=\x80\xA0\xFD\xFE\xFF\x83") +
        // Backslashes before other letters, and after a character whose second byte is 5C.
        noteSection(3, "FontName='Quoted'",
                    "  text =  \\q\\N\\\\x\\\x83\x5C\\n\x83\x5Cn\x83\\n end\\  ") +
        noteSection(4, "FontName=\"\"", "Text=\"a\"\r\n\r\n") +
        noteSection(5, "FontName=ab\0cd"s, "Text=\" \x81\x40 \"\x1a"s);
    writeFileBytes(ini, file);
    const NoteTable table = loadAndRewriteEveryNote();
    EXPECT_EQ(table.slots[2].text, "\\q\\N\\\\x\\\x83\x5C\r\n\x83\x5Cn\x83\\n end\\");
    EXPECT_EQ(table.slots[4].fontName, "ab");
    EXPECT_EQ(readFileBytes(ini), file);
}

TEST_F(SettingsFileTest, StartUpRewriteKeepsAUtf8FileByteForByte) {
    const std::string file =
        kUtf8Mark + "[System]\r\nFloating=on\r\n" +
        noteSection(1, "FontName=" + kGothicUtf8, "Text=\xE3\x82\xBD\\n\xF0\x9F\x98\x80") +
        // Cut, lone and impossible bytes; overlong forms; a surrogate; the bytes of code page 932.
        noteSection(2, "FontName = \xC3 ", "Text=\xC3\\n\x80\xFF\xFE\xC0\xAF\xE0\x80\xAF\xE3\x82") +
        noteSection(3, "FontName=\xED\xA0\x80", "Text= '\x83\\n\x83\x5C' \\N\\");
    writeFileBytes(ini, file);
    const NoteTable table = loadAndRewriteEveryNote();
    EXPECT_EQ(table.slots[1].text, "\xC3\r\n\x80\xFF\xFE\xC0\xAF\xE0\x80\xAF\xE3\x82");
    EXPECT_EQ(table.slots[2].text, "'\x83\r\n\x83\x5C' \\N\\");
    EXPECT_EQ(readFileBytes(ini), file);
}

// Failures: the file keeps its old content, the edits are held and land later, in order.

TEST_F(SettingsFileTest, FailedWritesAreHeldAndLandInOrderWithALaterChange) {
    const std::string before = "[Husen1]\r\nID=1\r\nOther=kept\r\n[Husen2]\r\nID=3\r\n";
    writeFileBytes(ini, before);
    ScriptedFileSystem files;
    files.failRename = true;
    SettingsFile file(ini, files);
    std::vector<SettingsFile::SaveHealth> health;
    file.onHealthChange([&](SettingsFile::SaveHealth h) { health.push_back(h); });
    NoteTable table = sampleNote(0);
    file.saveNote(table, 0);
    table.slots[0].x = 77;
    file.savePosition(table, 0);
    file.eraseNoteSection(1);
    EXPECT_EQ(readFileBytes(ini), before);
    EXPECT_FALSE(testing::fileExists(ini + ".tmp"));
    EXPECT_TRUE(file.hasPendingEdits());
    EXPECT_FALSE(file.retryPendingEdits());
    EXPECT_EQ(health, std::vector{SettingsFile::SaveHealth::kFailing}) << "told once";

    files.failRename = false;
    table.slots[0].priority = 9;
    file.savePriority(table, 0);
    EXPECT_FALSE(file.hasPendingEdits());
    EXPECT_EQ(health.back(), SettingsFile::SaveHealth::kSaved);
    EXPECT_EQ(stampsBlanked(readFileBytes(ini)),
              "[Husen1]\r\nID=4\r\nOther=kept\r\nPriority=9\r\nPosX=77\r\nPosY=20\r\n"
              "Width=300\r\nType=2\r\nFontName=" +
                  kGothic +
                  "\r\nFontSize=9\r\nText=first\\nsecond\r\nTextRed=1\r\n"
                  "[Erased*]\r\nID=3\r\nErasedOn=*\r\nSlot=2\r\n");
}

TEST_F(SettingsFileTest, AFileHeldDuringAChangeGetsItWhenLetGo) {
    writeFileBytes(ini, "[Husen1]\r\nID=1\r\n");
    ScriptedFileSystem files;
    SettingsFile file(ini, files);
    NoteTable table;
    ASSERT_TRUE(file.load(table));
    files.failReads = true;
    table.floating = 1;
    file.saveFloating(table);
    EXPECT_EQ(files.writes, 0) << "a file that cannot be read is never replaced";
    files.failReads = false;
    EXPECT_TRUE(file.retryPendingEdits());
    EXPECT_EQ(readFileBytes(ini), "[Husen1]\r\nID=1\r\n[System]\r\nFloating=On\r\n");
}

TEST_F(SettingsFileTest, AnUnreadableFileGetsNoNoteUntilItHasBeenRead) {
    const std::string before = "[System]\r\nWidth=250\r\n[Husen1]\r\nID=1\r\n";
    writeFileBytes(ini, before);
    ScriptedFileSystem files;
    files.failReads = true;
    SettingsFile file(ini, files);
    NoteTable table;
    EXPECT_FALSE(file.load(table));
    EXPECT_FALSE(file.hasBeenRead());
    EXPECT_FALSE(table.slots[0].inUse());
    EXPECT_EQ(table.defaultFontName, kGothic) << "new notes can be made meanwhile";
    table = sampleNote(0);
    table.floating = 1;
    file.saveNote(table, 0);
    file.eraseNoteSection(0);
    file.saveFloating(table);
    EXPECT_EQ(files.writes, 0);
    EXPECT_TRUE(file.hasPendingEdits()) << "the floating switch waits";

    files.failReads = false;
    NoteTable read;
    ASSERT_TRUE(file.load(read));
    EXPECT_TRUE(read.slots[0].inUse());
    EXPECT_EQ(read.defaultWidth, 250);
    EXPECT_TRUE(file.retryPendingEdits());
    EXPECT_EQ(readFileBytes(ini), "[System]\r\nWidth=250\r\nFloating=On\r\n[Husen1]\r\nID=1\r\n");
}

TEST_F(SettingsFileTest, AWriteThatThrowsInsideABatchIsHeldNotThrownAndToldAsAFailure) {
    ScriptedFileSystem files;
    files.throwOnWrite = true;
    SettingsFile file(ini, files);
    std::vector<SettingsFile::SaveHealth> health;
    file.onHealthChange([&](SettingsFile::SaveHealth h) { health.push_back(h); });
    NoteTable table = sampleNote(0);
    EXPECT_NO_THROW({
        const SettingsFile::Batch batch(file);
        file.saveNote(table, 0);
    });
    EXPECT_TRUE(file.hasPendingEdits());
    files.throwOnWrite = false;
    EXPECT_TRUE(file.retryPendingEdits());
    EXPECT_EQ(load().slots[0].x, -10);
    EXPECT_EQ(health,
              (std::vector{SettingsFile::SaveHealth::kFailing, SettingsFile::SaveHealth::kSaved}));
}

}  // namespace
}  // namespace yorimemo
