#include "notes/daily_backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "notes/conflict_copies.h"
#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

using testing::readFileBytes;
using testing::ScriptedFileSystem;
using testing::TempFolder;
using testing::writeFileBytes;

using Names = std::vector<std::string>;

// The names of `pc`'s backups of yorimemo.ini on the days `first` to `last` of a month ("2026-11").
Names days(const std::string& month, int first, int last, const std::string& pc = "PC") {
    Names names;
    for (int day = first; day <= last; ++day) {
        names.push_back("yorimemo-" + month + "-" + (day < 10 ? "0" : "") + std::to_string(day) +
                        "-" + pc + ".ini");
    }
    return names;
}

Names operator+(Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct BackupCase {
    const char* name;
    std::string computer;  // as the system gives it
    LocalTime today;
    Names before;   // in the backup folder
    Names after;    // in the backup folder, besides those of `before` that stay
    Names deleted;  // of `before`
    DailyBackup::Outcome outcome = DailyBackup::Outcome::kDone;
    bool noNoteFile = false;
    bool folderFails = false;
};

std::ostream& operator<<(std::ostream& out, const BackupCase& row) {
    return out << row.name;
}

class DailyBackupTest : public ::testing::TestWithParam<BackupCase> {
protected:
    Names backupFolderNames() const {
        Names names;
        if (!std::filesystem::exists(backups)) return names;
        for (const auto& entry : std::filesystem::directory_iterator(backups)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder{"yorimemo-backup-test"};
    std::string ini = folder.file("yorimemo.ini");
    std::string backups = folder.file("yorimemo-backup");
    ScriptedFileSystem files;
};

TEST_P(DailyBackupTest, MakesTodaysCopyAndKeepsTheNewestOfThisComputer) {
    const BackupCase& row = GetParam();
    if (!row.noNoteFile) writeFileBytes(ini, "[Husen1]\r\nID=0\r\n");
    if (!row.before.empty()) std::filesystem::create_directory(backups);
    for (const std::string& name : row.before) writeFileBytes(backups + "/" + name, "older");
    files.failFolders = row.folderFails;

    DailyBackup backup(files, ini, computerNameForFiles(row.computer));
    EXPECT_EQ(backup.folder(), backups);
    EXPECT_EQ(backup.ensure(row.today), row.outcome);

    Names expected = row.after;
    for (const std::string& name : row.before) {
        if (std::find(row.deleted.begin(), row.deleted.end(), name) == row.deleted.end()) {
            expected.push_back(name);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(backupFolderNames(), expected);
    for (const std::string& made : row.after) {
        EXPECT_EQ(readFileBytes(backups + "/" + made), "[Husen1]\r\nID=0\r\n") << made;
        // The program folder's sync client never takes a backup for a conflict copy.
        EXPECT_FALSE(isConflictCopyName("yorimemo.ini", made)) << made;
    }

    // The rest of the day each write costs a comparison of dates: no file is touched.
    const int reads = files.reads;
    const int writes = files.writes;
    const int listings = files.listings;
    EXPECT_EQ(backup.ensure(row.today), row.outcome);
    if (row.outcome == DailyBackup::Outcome::kDone) {
        EXPECT_EQ(files.reads + files.writes + files.listings, reads + writes + listings);
    }
}

const LocalTime kToday{2026, 12, 7, 9, 36, 12};

INSTANTIATE_TEST_SUITE_P(
    Days, DailyBackupTest,
    ::testing::Values(
        BackupCase{"FirstOfAll", "PC", kToday, {}, {"yorimemo-2026-12-07-PC.ini"}, {}},
        BackupCase{"TodaysIsThere", "pc", kToday, {"YORIMEMO-2026-12-07-PC.INI"}, {}, {}},
        BackupCase{"MonthEnd",
                   "PC",
                   {2026, 12, 1},
                   days("2026-11", 30, 30),
                   {"yorimemo-2026-12-01-PC.ini"},
                   {}},
        BackupCase{"YearEnd",
                   "PC",
                   {2027, 1, 1},
                   days("2026-12", 31, 31),
                   {"yorimemo-2027-01-01-PC.ini"},
                   {}},
        BackupCase{"ThirtyKeptTheOldestGoes",
                   "PC",
                   kToday,
                   days("2026-11", 1, 30) + Names{"Yorimemo-2026-10-31-pc.INI"},
                   {"yorimemo-2026-12-07-PC.ini"},
                   {"yorimemo-2026-11-01-PC.ini", "Yorimemo-2026-10-31-pc.INI"}},
        BackupCase{"AClockSetBackKeepsToday",
                   "PC",
                   {2026, 10, 1},
                   days("2026-11", 1, 30),
                   {"yorimemo-2026-10-01-PC.ini"},
                   {"yorimemo-2026-11-01-PC.ini"}},
        BackupCase{"OtherComputersAndFilesAreLeftAlone",
                   "PC",
                   kToday,
                   days("2026-11", 1, 30, "PC2") + days("2026-11", 1, 30, "PC-2") +
                       Names{"notes.txt", "other-2026-12-07-PC.ini", "yorimemo-2026-12-07-PC.txt",
                             "yorimemo.ini"},
                   {"yorimemo-2026-12-07-PC.ini"},
                   {}},
        BackupCase{"OddNamesAreNotOurs",
                   "PC",
                   kToday,
                   days("2026-11", 2, 30) +
                       Names{"yorimemo-2026-02-30-PC.ini", "yorimemo-2026-1-07-PC.ini",
                             "yorimemo-20261206-PC.ini", "yorimemo-2026-12-06-PC.ini.tmp",
                             "yorimemo-2026-12-07-PC.ini.merged", "yorimemo-2026-12-07-.ini",
                             "yorimemo-0000-01-01-PC.ini", "yorimemo-2025-12-07-PC (1).ini"},
                   {"yorimemo-2026-12-07-PC.ini"},
                   {}},
        BackupCase{"NamesNoFileMayHoldAreReplacedOthersKept",
                   "\xE6\x9D\xB1\xE4\xBA\xAC:1/a*?",
                   kToday,
                   {},
                   {"yorimemo-2026-12-07-\xE6\x9D\xB1\xE4\xBA\xAC_1_a__.ini"},
                   {}},
        BackupCase{"ANameLikeAConflictCopy",
                   "x (conflicted copy 2026-12-07 093612)",
                   kToday,
                   {},
                   {"yorimemo-2026-12-07-x (conflicted copy 2026-12-07 093612).ini"},
                   {}},
        BackupCase{"NoNameIsPC", "", kToday, {}, {"yorimemo-2026-12-07-PC.ini"}, {}},
        BackupCase{"NoNoteFileYet", "PC", kToday, {}, {}, {}, DailyBackup::Outcome::kLater, true},
        BackupCase{"NoClock", "PC", {}, {}, {}, {}, DailyBackup::Outcome::kLater},
        BackupCase{"FolderCannotBeMade",
                   "PC",
                   kToday,
                   {},
                   {},
                   {},
                   DailyBackup::Outcome::kFailed,
                   false,
                   true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace yorimemo
