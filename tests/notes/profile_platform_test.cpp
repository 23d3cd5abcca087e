// Our profile functions against the platform's GetPrivateProfileStringA and
// WritePrivateProfileStringA on the same files, in both directions.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "notes/profile_file.h"
#include "notes/settings_file.h"
#include "tests/notes/profile_strings.h"
#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

using testing::readFileBytes;
using testing::writeFileBytes;

// The platform keeps profile files in a cache; writing nothing with all names null empties it.
void flushPlatformCache(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

std::optional<std::string> platformRead(const std::string& path, const std::string& section,
                                        const std::string& key) {
    static const char kMissing[] = "\x7f(missing)\x7f";
    std::vector<char> buffer(1 << 16);
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    std::string value(buffer.data(), length);
    if (value == kMissing) return std::nullopt;
    return value;
}

std::optional<std::string> ourRead(const std::string& path, const std::string& section,
                                   const std::string& key) {
    return readProfile(platformFileSystem(), path).find(section, key);
}

void platformWrite(const std::string& path, const char* section, const char* key,
                   const char* value) {
    WritePrivateProfileStringA(section, key, value, path.c_str());
    flushPlatformCache(path);
}

const std::vector<std::string> kSections = {"A", "a",      " A ",    "B", "B]",
                                            "C", "Husen1", "System", "",  "Missing"};
const std::vector<std::string> kKeys = {"k",  "K",    " k ",      "k2",    "x",      "ID",
                                        "[C", "Text", "Floating", "empty", "missing"};

// Both read every name of the grid from the file and must agree.
void expectSameReading(const std::string& path) {
    flushPlatformCache(path);
    const ProfileDocument ours = readProfile(platformFileSystem(), path);
    for (const std::string& section : kSections) {
        for (const std::string& key : kKeys) {
            EXPECT_EQ(ours.find(section, key), platformRead(path, section, key))
                << "[" << section << "] " << key << " in\n"
                << readFileBytes(path);
        }
    }
}

class ProfilePlatformTest : public ::testing::Test {
protected:
    // A new name every time, so that no cached copy of an older file is ever read.
    std::string freshFile() { return folder.file("case" + std::to_string(++count) + ".ini"); }

    testing::TempFolder folder;
    int count = 0;
};

const std::vector<std::string> kTrickyFiles = {
    // Case, blanks around names and values, comments, an empty value.
    "; comment\r\n  [ a ]  \r\n\t K \t=  value with blanks  \r\n;k2=commented\r\nempty=\r\n"
    "x = a = b\r\n",
    // Duplicate sections and keys, a key line without "=" first.
    "[A]\r\nk=first\r\nK=second\r\nx\r\nx=later\r\n[a]\r\nk2=in the later copy\r\n",
    // LF and CR line ends, a last line without a line end.
    "[A]\nk=lf\n[B]\nk=lf too\n[C]\nk=last",
    "[A]\rk=cr\r[Husen1]\rID=3\rText=a\\nb\r",
    // Quotation marks and blanks kept inside them.
    "[A]\r\nk=\"quoted\"\r\nK2='single'\r\nx=\" inner \"\r\n[B]\r\nk=\"unbalanced'\r\n"
    "k2=\"\r\nx=\"\"\r\nempty=a\"b\"c\r\n",
    // Header forms: trailing words, a bracket inside, a "[" without "]".
    "[A] trailing\r\nk=1\r\n[B]]\r\nk=2\r\n[C\r\nx=3\r\n[C]\r\nk=4\r\n",
    // Keys before any header, blank lines, Ctrl-Z and tabs as blanks.
    "k=top\r\n\r\n[System]\r\nFloating=\ton\x1a\r\n\r\n\r\n[Husen1]\r\nID = 0 "
    "\r\nText=\x83\x5cn\r\n",
    // Shift-JIS names and values, full-width blanks kept.
    "[\x83\x5c]\r\nk=\x81\x40\x82\xa0\x81\x40\r\n[A]\r\nk=\x95\x5c\\n\r\n",
    // "[" and "ゾ" (83 5D, whose second byte is "]") is no header.
    "[A]\r\n[\x83\x5d\r\nk=in A\r\n",
    // A value longer than the platform's usual 255 bytes.
    "[A]\r\nk=" + std::string(1000, 'v') + "\r\n",
};

TEST_F(ProfilePlatformTest, HandWrittenFilesReadTheSame) {
    for (const std::string& content : kTrickyFiles) {
        const std::string path = freshFile();
        writeFileBytes(path, content);
        expectSameReading(path);
    }
}

const std::vector<std::string> kTrickyValues = {
    "plain",
    "",
    " lead",
    "trail ",
    "  both  ",
    "\ttab\t",
    "\"quoted\"",
    "'single'",
    "\"",
    "''",
    "a\"b",
    "\" q \"",
    "=x=",
    "; not a comment",
    "[x]",
    "\\n",
    "\x83\x5c",
    "\x81\x40"
    "wide\x81\x40",
    "\x1a",
    std::string(600, 'w'),
};

TEST_F(ProfilePlatformTest, WhatWeWriteThePlatformReadsBackUnchanged) {
    const std::string path = freshFile();
    for (std::size_t i = 0; i < kTrickyValues.size(); ++i) {
        ASSERT_TRUE(writeProfileString(path, "A", "k" + std::to_string(i), kTrickyValues[i]));
    }
    flushPlatformCache(path);
    for (std::size_t i = 0; i < kTrickyValues.size(); ++i) {
        EXPECT_EQ(platformRead(path, "A", "k" + std::to_string(i)), kTrickyValues[i]);
        EXPECT_EQ(ourRead(path, "A", "k" + std::to_string(i)), kTrickyValues[i]);
    }
}

TEST_F(ProfilePlatformTest, WhatThePlatformWritesWeReadAsItDoes) {
    const std::string path = freshFile();
    for (std::size_t i = 0; i < kTrickyValues.size(); ++i) {
        platformWrite(path, "A", ("k" + std::to_string(i)).c_str(), kTrickyValues[i].c_str());
    }
    for (std::size_t i = 0; i < kTrickyValues.size(); ++i) {
        const std::string key = "k" + std::to_string(i);
        EXPECT_EQ(ourRead(path, "A", key), platformRead(path, "A", key)) << kTrickyValues[i];
    }
    // Values that need no protection come back as written.
    EXPECT_EQ(ourRead(path, "A", "k0"), "plain");
    EXPECT_EQ(ourRead(path, "A", "k19"), std::string(600, 'w'));
}

// The same edits, made once by us and once by the platform on a copy, read the same. The values
// are ones that the platform itself writes and reads back unchanged.
TEST_F(ProfilePlatformTest, SameEditsGiveFilesThatReadTheSame) {
    for (const std::string& content : kTrickyFiles) {
        const std::string ours = freshFile();
        const std::string theirs = freshFile();
        writeFileBytes(ours, content);
        writeFileBytes(theirs, content);
        struct Edit {
            const char* section;
            const char* key;
            const char* value;
        };
        const Edit edits[] = {
            {"a", "K", "changed"},   {"B", "new", "added"},   {"Husen1", "ID", "12"},
            {"C", "x", "kept"},      {"Fresh", "k", "end"},   {"System", "Floating", "On"},
            {"A", "x", "a \"x\" b"}, {"b", nullptr, nullptr}, {"[C", "k2", "v"},
        };
        for (const Edit& edit : edits) {
            if (edit.key) {
                ASSERT_TRUE(writeProfileString(ours, edit.section, edit.key, edit.value));
            } else {
                ASSERT_TRUE(removeProfileSection(ours, edit.section));
            }
            platformWrite(theirs, edit.section, edit.key, edit.value);
        }
        flushPlatformCache(ours);
        const ProfileDocument ourReading = readProfile(platformFileSystem(), ours);
        for (const std::string& section : kSections) {
            for (const std::string& key : kKeys) {
                const auto expected = platformRead(theirs, section, key);
                EXPECT_EQ(ourReading.find(section, key), expected)
                    << "[" << section << "] " << key << " in\n"
                    << readFileBytes(ours);
                EXPECT_EQ(platformRead(ours, section, key), expected)
                    << "[" << section << "] " << key << " in\n"
                    << readFileBytes(ours);
            }
        }
    }
}

TEST_F(ProfilePlatformTest, SavedNoteReadsBackThroughThePlatform) {
    const std::string path = freshFile();
    NoteTable table;
    NoteSlot& note = table.slots[4];
    note.moteId = 8;
    note.priority = -3;
    note.x = 640;
    note.y = -2;
    note.width = 280;
    note.color = kMagenta;
    note.fontName = " \x82\x6c\x82\x72 Font ";
    note.fontSize = 11;
    note.text = "\"line one\"\r\n\x83\x5c\r\n ";
    note.textRed = 1;
    SettingsFile(path).saveNote(table, 4);
    flushPlatformCache(path);
    const std::pair<const char*, std::string> expected[] = {
        {"ID", "8"},
        {"Priority", "-3"},
        {"PosX", "640"},
        {"PosY", "-2"},
        {"Width", "280"},
        {"Type", "1"},
        {"FontName", note.fontName},
        {"FontSize", "11"},
        {"Text", "\"line one\"\\n\x83\x5c\\n "},
        {"TextRed", "1"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(platformRead(path, "Husen5", key), value) << key;
    }
}

TEST_F(ProfilePlatformTest, NoteWrittenByThePlatformLoads) {
    const std::string path = freshFile();
    const char* const keys[][2] = {
        {"ID", "3"},       {"Priority", "9"}, {"PosX", "15"},       {"PosY", "25"},
        {"Width", "320"},  {"Type", "2"},     {"FontName", "Mono"}, {"FontSize", "10"},
        {"Text", "a\\nb"}, {"TextRed", "1"},
    };
    for (const auto& key : keys) platformWrite(path, "Husen2", key[0], key[1]);
    platformWrite(path, "System", "Floating", "On");
    NoteTable table;
    SettingsFile(path).load(table);
    EXPECT_EQ(table.floating, 1);
    const NoteSlot& note = table.slots[1];
    EXPECT_EQ(note.moteId, 3);
    EXPECT_EQ(note.priority, 0);
    EXPECT_EQ(note.x, 15);
    EXPECT_EQ(note.y, 25);
    EXPECT_EQ(note.width, 320);
    EXPECT_EQ(note.color, kYellow);
    EXPECT_EQ(note.fontName, "Mono");
    EXPECT_EQ(note.fontSize, 10);
    EXPECT_EQ(note.text, "a\r\nb");
    EXPECT_EQ(note.textRed, 1);
    EXPECT_EQ(table.nextPriority, 1);
}

}  // namespace
}  // namespace yorimemo
