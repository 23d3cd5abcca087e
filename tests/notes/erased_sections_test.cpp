#include "notes/erased_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notes/note_file_reader.h"

namespace yorimemo {
namespace {

struct ExpiryCase {
    const char* name;
    LocalTime now;
    std::vector<std::string> erasedOn;  // one erased note each, section names in this order
    std::vector<std::string> kept;      // their ErasedOn, newest first
};

class ErasedExpiryTest : public ::testing::TestWithParam<ExpiryCase> {};

TEST_P(ErasedExpiryTest, KeepsTheNewestTenOfTheLastThirtyDays) {
    const ExpiryCase& c = GetParam();
    std::vector<ErasedNote> notes;
    for (std::size_t i = 0; i < c.erasedOn.size(); ++i) {
        ErasedNote note;
        note.section = "Erased" + std::to_string(100 + i);
        note.erasedOn = c.erasedOn[i];
        notes.push_back(note);
    }
    std::vector<std::string> kept;
    for (const ErasedNote& note : keptErasedNotes(notes, c.now)) kept.push_back(note.erasedOn);
    EXPECT_EQ(kept, c.kept);
}

std::vector<std::string> minutesOf(int hour, int from, int count) {
    std::vector<std::string> times;
    for (int m = from; m < from + count; ++m) {
        times.push_back("2026-12-07 " + std::to_string(hour) + ":" + (m < 10 ? "0" : "") +
                        std::to_string(m) + ":00");
    }
    return times;
}

std::vector<std::string> reversed(std::vector<std::string> times) {
    return {times.rbegin(), times.rend()};
}

const ExpiryCase kExpiryCases[] = {
    {"AcrossAMonthEnd",
     {2026, 3, 2, 10, 0, 0},
     {"2026-01-31 09:59:59", "2026-01-31 10:00:00", "2026-02-28 23:00:00"},
     {"2026-02-28 23:00:00", "2026-01-31 10:00:00"}},
    {"AcrossAYearEnd",
     {2027, 1, 5, 12, 0, 0},
     {"2026-12-06 11:59:59", "2026-12-31 23:59:59", "2026-12-06 12:00:00", "2027-01-01 00:00:00"},
     {"2027-01-01 00:00:00", "2026-12-31 23:59:59", "2026-12-06 12:00:00"}},
    {"AcrossALeapDay",
     {2028, 3, 1, 0, 0, 0},
     {"2028-01-30 23:59:59", "2028-01-31 00:00:00"},
     {"2028-01-31 00:00:00"}},
    {"OnlyTheNewestTen",
     {2026, 12, 7, 18, 0, 0},
     minutesOf(10, 10, 12),
     reversed(minutesOf(10, 12, 10))},
    {"AnUnreadableDateCountsAsNow",
     {2026, 12, 7, 18, 0, 0},
     {"2026-12-07 10:10:00", "yesterday", "2026-02-30 10:00:00", "", "2026-12-07 10:11:00",
      "2026-12-07 10:12:00", "2026-12-07 10:13:00", "2026-12-07 10:14:00", "2026-12-07 10:15:00",
      "2026-12-07 10:16:00", "2026-12-07 10:17:00"},
     {"", "2026-02-30 10:00:00", "yesterday", "2026-12-07 10:17:00", "2026-12-07 10:16:00",
      "2026-12-07 10:15:00", "2026-12-07 10:14:00", "2026-12-07 10:13:00", "2026-12-07 10:12:00",
      "2026-12-07 10:11:00"}},
    {"AnotherPCsClockAheadKeepsIt",
     {2026, 12, 7, 18, 0, 0},
     {"2026-12-08 09:00:00", "2026-11-01 09:00:00"},
     {"2026-12-08 09:00:00"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ErasedExpiryTest, ::testing::ValuesIn(kExpiryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ErasedSectionsTest, AnEraseMovesTheSectionAsItWasAndOnlyOurReaderSeesIt) {
    ProfileDocument document = ProfileDocument::parse(
        "[System]\r\nFloating=On\r\n[Husen3]\r\nID=12\r\n; kept\r\nText=\" a\\nb \"\r\n"
        "Mine=1\r\n[Husen4]\r\nID=2\r\n");
    const LocalTime now{2026, 12, 7, 9, 36, 12, 45};
    const std::string name = erasedSectionName(now, 0x3fa2c);
    EXPECT_EQ(name, "Erased20261207093612045fa2c");
    EXPECT_EQ(erasedOnText(now), "2026-12-07 09:36:12");
    EXPECT_FALSE(moveToErased(document, 0, name, "x")) << "no note in the first slot";

    ASSERT_TRUE(moveToErased(document, 2, name, erasedOnText(now)));
    EXPECT_EQ(document.serialize(),
              "[System]\r\nFloating=On\r\n[Husen4]\r\nID=2\r\n[" + name +
                  "]\r\nID=12\r\n; kept\r\nText=\" a\\nb \"\r\nMine=1\r\nErasedOn=2026-12-07 "
                  "09:36:12\r\nSlot=3\r\n");
    const NoteTable table = readNoteFile(document);
    EXPECT_FALSE(table.slots[2].inUse());
    EXPECT_TRUE(table.slots[3].inUse());

    const std::vector<ErasedNote> erased = readErasedNotes(document, now);
    ASSERT_EQ(erased.size(), 1u);
    EXPECT_EQ(erased[0].slot, 2);
    EXPECT_EQ(erased[0].note.moteId, 12);
    EXPECT_EQ(erased[0].note.text, " a\r\nb ");
}

TEST(ErasedSectionsTest, AWriteDropsExpiredNotesButNoSectionThatHoldsNone) {
    ProfileDocument document = ProfileDocument::parse(
        "[Erased1]\r\nID=1\r\nErasedOn=2026-01-01 00:00:00\r\n"
        "[Erased2]\r\nID=2\r\nErasedOn=2026-12-01 00:00:00\r\n"
        "[ErasedByHand]\r\nnote=mine\r\n");
    dropExpiredErased(document, {2026, 12, 7, 0, 0, 0});
    EXPECT_EQ(document.sectionNames(), (std::vector<std::string>{"Erased2", "ErasedByHand"}));
}

}  // namespace
}  // namespace yorimemo
