#pragma once
// A copy of the note file once a day, in a folder beside it, of which each computer keeps its
// newest 30: "yorimemo-backup\yorimemo-2026-12-07-PCNAME.ini" for "yorimemo.ini". Other files
// in that folder, other computers' backups among them, are never touched.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "notes/file_io.h"
#include "notes/local_time.h"

namespace yorimemo {

inline constexpr std::size_t kBackupsKept = 30;

// The folder of the note file's backups: "C:\notes\yorimemo-backup" for "C:\notes\yorimemo.ini".
std::string backupFolderFor(std::string_view notePath);

// A computer's name (UTF-8) as it can stand in a file name: each character that no file name may
// hold becomes "_", other characters stay as they are; no name at all is "PC".
std::string computerNameForFiles(std::string_view computerName);

struct BackupPlan {
    std::string make;                // today's backup to make; empty when it is there
    std::vector<std::string> stale;  // this computer's backups beyond the newest kept, to delete
};

// From the names in the backup folder: whether today's backup is to be made and which of this
// computer's to delete. A name counts as this computer's backup only when it is exactly the note
// file's stem, a real date, the computer's name and the note file's extension, case ignored.
// Today's is always kept, with the newest others by date up to kBackupsKept in all.
BackupPlan planBackup(std::string_view noteFileName, std::string_view computerName,
                      const LocalTime& today, const std::vector<std::string>& names);

class DailyBackup {
public:
    // `computerName` as computerNameForFiles leaves it.
    DailyBackup(FileSystem& files, std::string notePath, std::string computerName);

    enum class Outcome {
        kDone,    // today's backup is there, made now or before
        kLater,   // nothing to copy yet (no note file, or one held open): tried at the next call
        kFailed,  // the backup could not be written: tried again at the next call
    };
    // Makes today's backup unless this run has made or seen it; after that, until the day
    // changes, it costs a comparison of dates and touches no file.
    Outcome ensure(const LocalTime& today);

    const std::string& folder() const { return folder_; }

private:
    FileSystem& files_;
    std::string notePath_;
    std::string folder_;
    std::string computerName_;
    LocalTime doneFor_;  // the day whose backup is known to be there
};

}  // namespace yorimemo
