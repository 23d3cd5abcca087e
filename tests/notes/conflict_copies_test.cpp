#include "notes/conflict_copies.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace yorimemo {
namespace {

struct NameCase {
    const char* noteFile;
    const char* name;
    bool isCopy;
};

std::ostream& operator<<(std::ostream& out, const NameCase& row) {
    return out << row.name;
}

class ConflictCopyNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ConflictCopyNameTest, RecognisesTheSyncClientsNames) {
    EXPECT_EQ(isConflictCopyName(GetParam().noteFile, GetParam().name), GetParam().isCopy);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ConflictCopyNameTest,
    ::testing::Values(
        NameCase{"yorimemo.ini", "yorimemo (Hanako's conflicted copy 2026-12-07).ini", true},
        NameCase{"yorimemo.ini", "yorimemo (Hanako's conflicted copy 2026-12-07 (2)).ini", true},
        NameCase{"yorimemo.ini", "yorimemo (Hanako's conflicted copy 2026-12-07) (1).ini", true},
        NameCase{"yorimemo.ini", "YORIMEMO (hanako's CONFLICTED copy 2026-12-07).INI", true},
        NameCase{"yorimemo.ini", "yorimemo (Hanako\xE2\x80\x99s conflicted copy 2026-12-07).ini",
                 true},
        NameCase{"yorimemo.ini", "yorimemo ('s conflicted copy 2026-12-07).ini", false},
        NameCase{"yorimemo.ini", "yorimemo (Hanako's conflicted copy 2026-12-7).ini", false},
        NameCase{"yorimemo.ini", "yorimemo (conflicted copy 2026-12-07 093612).ini", true},
        NameCase{"yorimemo.ini", "yorimemo (conflicted copy hanako 2026-12-07 093612).ini", true},
        NameCase{"yorimemo.ini", "yorimemo (conflicted copy 2026-12-07).ini", false},
        NameCase{"yorimemo.ini", "yorimemo.sync-conflict-20261207-093612-ABCDEFG.ini", true},
        NameCase{"yorimemo.ini", "yorimemo.sync-conflict-20261207-093612-ABCDEF.ini", false},
        NameCase{"yorimemo.ini", "yorimemo.sync-conflict-20261207-093612-ABCDEFG.ini.merged",
                 false},
        NameCase{"yorimemo.ini", "other (conflicted copy 2026-12-07 093612).ini", false},
        NameCase{"yorimemo.ini", "yorimemo.ini", false},
        // The daily backups' names.
        NameCase{"yorimemo.ini", "yorimemo-2026-12-07-PCNAME.ini", false},
        // Names compare ignoring case beyond ASCII, as Windows does.
        NameCase{"\xC3\xA9t\xC3\xA9.ini",
                 "\xC3\x89T\xC3\x89 (conflicted copy 2026-12-07 093612).ini", true},
        NameCase{"\xEF\xBD\x8D\xEF\xBD\x85\xEF\xBD\x8D\xEF\xBD\x8F.ini",
                 "\xEF\xBC\xAD\xEF\xBC\xA5\xEF\xBC\xAD\xEF\xBC\xAF.sync-conflict-20261207-093612-"
                 "ABC1234.ini",
                 true}));

struct CopyCase {
    const char* name;
    std::vector<std::string> texts;      // the table's notes
    std::vector<std::string> copyTexts;  // the copy's, in stacking order
    bool copyInUtf8;
    CopyMerge::Outcome outcome;
    std::vector<std::string> added;
};

std::ostream& operator<<(std::ostream& out, const CopyCase& row) {
    return out << row.name;
}

NoteTable tableOf(const std::vector<std::string>& texts) {
    NoteTable table;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        NoteSlot& note = table.slots[i];
        note.moteId = 3;
        note.priority = static_cast<std::int32_t>(i);
        note.x = 10 * static_cast<std::int32_t>(i);
        note.color = kMagenta;
        note.text = texts[i];
    }
    table.nextPriority = static_cast<std::int32_t>(texts.size());
    return table;
}

const std::string kSnowman = "\xE2\x98\x83";  // no Shift-JIS code holds it
const std::string kKanaUtf8 = "\xE3\x81\x82";
const std::string kKanaShiftJis = "\x82\xA0";

// Stands in for the system's conversion of UTF-8 into Shift-JIS.
std::optional<std::string> toShiftJis(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == kKanaUtf8) {
            out += kKanaShiftJis;
            i += 3;
        } else if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
        } else {
            return std::nullopt;
        }
    }
    return out;
}

class ConflictCopyMergeTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(ConflictCopyMergeTest, BringsHomeTheTextsTheTableLacks) {
    const CopyCase& row = GetParam();
    NoteTable table = tableOf(row.texts);
    NoteTable copy = tableOf(row.copyTexts);
    if (row.copyInUtf8) copy.encoding = TextEncoding::kUtf8;
    const NoteTable before = table;

    const CopyMerge result = mergeConflictCopy(table, copy, toShiftJis);

    EXPECT_EQ(result.outcome, row.outcome);
    ASSERT_EQ(result.added.size(), row.added.size());
    for (std::size_t i = 0; i < row.added.size(); ++i) {
        const NoteSlot& note = table.slots[result.added[i]];
        EXPECT_EQ(note.text, row.added[i]);
        EXPECT_EQ(note.color, kMagenta);
        EXPECT_FALSE(note.hasCard);
        // In front of every note the table had, in the copy's order.
        EXPECT_EQ(note.priority, before.nextPriority + static_cast<std::int32_t>(i));
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const NoteSlot& was = before.slots[slot];
        EXPECT_TRUE(!was.inUse() || table.slots[slot].text == was.text) << "slot " << slot;
        // All or nothing.
        if (row.outcome != CopyMerge::kMerged) {
            EXPECT_EQ(table.slots[slot].inUse(), was.inUse()) << "slot " << slot;
        }
    }
    // The same copy seen again brings nothing more.
    EXPECT_TRUE(mergeConflictCopy(table, copy, toShiftJis).added.empty());
}

std::vector<std::string> manyTexts(int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back("note " + std::to_string(i));
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Copies, ConflictCopyMergeTest,
    ::testing::Values(
        CopyCase{"OneNewOneKnown",
                 {"known", "other"},
                 {"known", "new"},
                 false,
                 CopyMerge::kMerged,
                 {"new"}},
        CopyCase{"LineBreaksInAnotherForm",
                 {"a\r\nb"},
                 {"a\nb", "c\rd"},
                 false,
                 CopyMerge::kMerged,
                 {"c\rd"}},
        CopyCase{"EmptyTextStaysAway", {"known"}, {"", "new"}, false, CopyMerge::kMerged, {"new"}},
        CopyCase{
            "TwiceInTheCopyComesOnce", {}, {"twin", "twin"}, false, CopyMerge::kMerged, {"twin"}},
        CopyCase{"OrderOfTheCopyKept",
                 {"x"},
                 {"first", "second"},
                 false,
                 CopyMerge::kMerged,
                 {"first", "second"}},
        CopyCase{"NoRoomForAllAddsNone",
                 manyTexts(99),
                 {"new 1", "new 2"},
                 false,
                 CopyMerge::kNoRoom,
                 {}},
        CopyCase{"ConvertedIntoTheFilesEncoding",
                 {kKanaShiftJis},
                 {kKanaUtf8, "a" + kKanaUtf8},
                 true,
                 CopyMerge::kMerged,
                 {"a" + kKanaShiftJis}},
        CopyCase{"NotStorableAddsNone", {}, {"fine", kSnowman}, true, CopyMerge::kNotStorable, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeptNoteFileName, FollowsTheNoteFilesNameAndTheTime) {
    const LocalTime time{2026, 12, 7, 9, 36, 12};
    EXPECT_EQ(keptNoteFileName("C:\\Sync\\yorimemo\\yorimemo.ini", time),
              "C:\\Sync\\yorimemo\\yorimemo-kept-20261207-093612.ini");
    EXPECT_EQ(keptNoteFileName("/v.1/memo", time), "/v.1/memo-kept-20261207-093612");
}

}  // namespace
}  // namespace yorimemo
