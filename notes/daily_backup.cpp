#include "notes/daily_backup.h"

#include <algorithm>
#include <utility>

#include "notes/file_name_case.h"
#include "notes/path_parts.h"

namespace yorimemo {
namespace {

constexpr char kFolderSuffix[] = "-backup";

// The separator the note file's path uses; Windows takes either.
char separatorOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? '/' : path[separator];
}

int number(std::u32string_view text) {
    int value = 0;
    for (const char32_t c : text) value = value * 10 + static_cast<int>(c - U'0');
    return value;
}

// The date of a name of this computer's backups ("2026-12-07"); empty for any other name.
std::string backupDate(std::u32string_view name, std::u32string_view front,
                       std::u32string_view back) {
    if (name.size() != front.size() + 10 + back.size() || name.substr(0, front.size()) != front ||
        name.substr(name.size() - back.size()) != back) {
        return {};
    }
    const std::u32string_view date = name.substr(front.size(), 10);
    for (std::size_t i = 0; i < date.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? date[i] != U'-' : date[i] < U'0' || date[i] > U'9') return {};
    }
    if (!isRealDate(number(date.substr(0, 4)), number(date.substr(5, 2)),
                    number(date.substr(8, 2)))) {
        return {};
    }
    return std::string(date.begin(), date.end());
}

}  // namespace

std::string backupFolderFor(std::string_view notePath) {
    return std::string(pathWithoutExtension(notePath)) + kFolderSuffix;
}

std::string computerNameForFiles(std::string_view computerName) {
    if (computerName.empty()) return "PC";
    std::string name(computerName);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name;
}

BackupPlan planBackup(std::string_view noteFileName, std::string_view computerName,
                      const LocalTime& today, const std::vector<std::string>& names) {
    const std::size_t dot = extensionStart(noteFileName);
    const std::string front = std::string(noteFileName.substr(0, dot)) + "-";
    const std::string back =
        "-" + std::string(computerName) + std::string(noteFileName.substr(dot));
    const std::u32string foldedFront = foldFileName(front);
    const std::u32string foldedBack = foldFileName(back);
    const std::string todayText = dateText(today);

    BackupPlan plan;
    plan.make = front + todayText + back;
    std::vector<std::pair<std::string, std::string>> older;  // date, name
    for (const std::string& name : names) {
        const std::string date = backupDate(foldFileName(name), foldedFront, foldedBack);
        if (date.empty()) continue;
        if (date == todayText) {
            plan.make.clear();
        } else {
            older.emplace_back(date, name);
        }
    }
    std::sort(older.begin(), older.end(), [](const auto& a, const auto& b) { return a > b; });
    for (std::size_t i = kBackupsKept - 1; i < older.size(); ++i) {
        plan.stale.push_back(older[i].second);
    }
    return plan;
}

DailyBackup::DailyBackup(FileSystem& files, std::string notePath, std::string computerName)
    : files_(files),
      notePath_(std::move(notePath)),
      folder_(backupFolderFor(notePath_)),
      computerName_(std::move(computerName)) {}

DailyBackup::Outcome DailyBackup::ensure(const LocalTime& today) {
    // A clock that gives no real date names no backup.
    if (!isRealDate(today.year, today.month, today.day)) return Outcome::kLater;
    if (today.year == doneFor_.year && today.month == doneFor_.month && today.day == doneFor_.day) {
        return Outcome::kDone;
    }
    const std::string noteFileName = notePath_.substr(fileNameStart(notePath_));
    const BackupPlan plan =
        planBackup(noteFileName, computerName_, today, files_.fileNames(folder_));
    const std::string folder = folder_ + separatorOf(notePath_);
    if (!plan.make.empty()) {
        std::string bytes;
        if (files_.readAll(notePath_, bytes) != ReadStatus::kRead) return Outcome::kLater;
        if (!files_.makeFolder(folder_)) return Outcome::kFailed;
        // By a temporary file: a crash leaves no backup cut short under a backup's name.
        const std::string path = folder + plan.make;
        const std::string temporary = path + ".tmp";
        if (files_.writeDurably(temporary, bytes) != WriteStatus::kWritten ||
            !files_.renameOver(temporary, path)) {
            files_.removeFile(temporary);
            return Outcome::kFailed;
        }
    }
    for (const std::string& name : plan.stale) files_.removeFile(folder + name);
    doneFor_ = today;
    return Outcome::kDone;
}

}  // namespace yorimemo
