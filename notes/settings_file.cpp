#include "notes/settings_file.h"

#include <algorithm>
#include <ctime>
#include <random>
#include <utility>

#include "notes/decimal.h"
#include "notes/file_io.h"
#include "notes/note_file_reader.h"
#include "notes/priority_compaction.h"
#include "notes/profile_file.h"
#include "notes/text_escape.h"

namespace yorimemo {
namespace {

constexpr char kSystem[] = "System";

std::string noteSection(int slot) {
    return "Husen" + std::to_string(slot + 1);
}

// All ten keys of a note's section, in the order they are written.
template <typename Put>
void forEachNoteKey(const NoteSlot& note, Put put) {
    put("ID", formatDecimal(note.moteId));
    put("Priority", formatDecimal(note.priority));
    put("PosX", formatDecimal(note.x));
    put("PosY", formatDecimal(note.y));
    put("Width", formatDecimal(note.width));
    put("Type", formatDecimal(note.color));
    put("FontName", note.fontName);
    put("FontSize", formatDecimal(note.fontSize));
    put("Text", escapeLineBreaks(note.text));
    put("TextRed", note.textRed != 0 ? "1" : "0");
}

// To the second: the host hands in the system's local time to the millisecond
// (setClock), and the stamp's random digits tell apart erases within one second.
LocalTime systemLocalTime() {
    const std::time_t seconds = std::time(nullptr);
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr) return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
            local->tm_hour,        local->tm_min,     local->tm_sec};
}

bool sameSectionName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

}  // namespace

SettingsFile::SettingsFile(std::string iniPath)
    : SettingsFile(std::move(iniPath), platformFileSystem()) {}

SettingsFile::SettingsFile(std::string iniPath, FileSystem& files)
    : iniPath_(std::move(iniPath)),
      files_(&files),
      clock_(systemLocalTime),
      stampCounter_(std::random_device{}()) {}

bool SettingsFile::load(NoteTable& table) {
    std::string bytes;
    const ReadStatus status = files_->readAll(iniPath_, bytes);
    if (status != ReadStatus::kRead) bytes.clear();
    const ProfileDocument document = ProfileDocument::parse(bytes);
    // Unreadable: the encoding is not known, so the table keeps the one its notes are in.
    unreadable_ = status == ReadStatus::kFailed;
    if (!unreadable_) {
        encoding_ = document.encoding();
        table.encoding = encoding_;
    }
    readSystemSection(document, table);
    // Unreadable: the defaults let new notes be made meanwhile; the notes wait for a later read.
    if (unreadable_) return false;
    readNoteSections(document, table);
    lastRead_ = readNoteFile(document);
    fileErased_ = readErasedNotes(document, clock_());
    table.nextPriority = compactPriorities(table);
    return true;
}

ReadStatus SettingsFile::readNow(NoteTable& now) {
    std::string bytes;
    const ReadStatus status = files_->readAll(iniPath_, bytes);
    if (status == ReadStatus::kRead) {
        const ProfileDocument document = ProfileDocument::parse(bytes);
        now = readNoteFile(document);
        fileErased_ = readErasedNotes(document, clock_());
    }
    return status;
}

void SettingsFile::saveMerge(const MergeResult& merge) {
    const NoteTable& table = merge.table;
    {
        const Batch oneWrite(*this);
        for (const SlotWrite& write : merge.writes) {
            if (write.kind == SlotWrite::kWhole) {
                saveNote(table, write.slot);
            } else if (write.kind == SlotWrite::kRemove) {
                eraseNoteSection(write.slot,
                                 merge.read.slots[static_cast<std::size_t>(write.slot)]);
            } else {
                saveKeys(table, write.slot, write.aspects);
            }
        }
        for (const std::string& section : merge.droppedErased) dropErased(section);
        if (merge.writeFloating) saveFloating(table);
        if (merge.writeHotKey) saveHotKey(table);
        if (merge.wholeFile) saveSystemKeys(table);
    }
    // Busy notes keep their old ancestor in both, which a plain write would lose.
    lastRead_ = pending_.empty() ? merge.written : merge.read;
}

void SettingsFile::saveNote(const NoteTable& table, int slot) {
    const std::string section = noteSection(slot);
    const Batch batch(*this);
    forEachNoteKey(table.slots[static_cast<std::size_t>(slot)],
                   [&](const char* key, std::string value) {
                       submit({section, key, std::move(value)});
                   });
}

void SettingsFile::savePriority(const NoteTable& table, int slot) {
    submit({noteSection(slot), "Priority",
            formatDecimal(table.slots[static_cast<std::size_t>(slot)].priority)});
}

void SettingsFile::savePosition(const NoteTable& table, int slot) {
    const NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
    const std::string section = noteSection(slot);
    const Batch batch(*this);
    submit({section, "PosX", formatDecimal(note.x)});
    submit({section, "PosY", formatDecimal(note.y)});
}

void SettingsFile::saveWidth(const NoteTable& table, int slot) {
    submit({noteSection(slot), "Width",
            formatDecimal(table.slots[static_cast<std::size_t>(slot)].width)});
}

void SettingsFile::eraseNoteSection(int slot, const NoteSlot& shown) {
    const LocalTime now = clock_();
    // A random start and a step per erase: PCs sharing the file draw apart.
    stampCounter_ = stampCounter_ * 1103515245u + 12345u;
    Edit edit{noteSection(slot), {}, erasedOnText(now)};
    edit.erasedAs = erasedSectionName(now, stampCounter_ >> 16);
    const NoteSlot& stored = lastRead_.slots[static_cast<std::size_t>(slot)];
    edit.erased = {edit.erasedAs, edit.value, slot, stored.inUse() ? stored : shown,
                   stored.inUse() ? lastRead_.encoding : encoding_};
    edit.erased.note.bitmap = 0;
    edit.erased.note.surface = 0;
    edit.erased.note.hasCard = false;
    submit(std::move(edit));
}

void SettingsFile::dropErased(const std::string& section) {
    submit({section, {}, {}, true});
}

std::vector<ErasedNote> SettingsFile::erasedNotes() const {
    std::vector<ErasedNote> notes = fileErased_;
    for (const Edit& edit : pending_) {
        if (!edit.erasedAs.empty()) {
            if (edit.erased.note.inUse()) notes.push_back(edit.erased);
        } else if (edit.removesSection) {
            notes.erase(std::remove_if(notes.begin(), notes.end(),
                                       [&](const ErasedNote& note) {
                                           return sameSectionName(note.section, edit.section);
                                       }),
                        notes.end());
        }
    }
    return keptErasedNotes(std::move(notes), clock_());
}

void SettingsFile::saveFloating(const NoteTable& table) {
    submit({kSystem, "Floating", table.floating == 1 ? "On" : "Off"});
}

void SettingsFile::saveKeys(const NoteTable& table, int slot, unsigned aspects) {
    const NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
    const std::string section = noteSection(slot);
    const Batch batch(*this);
    if ((aspects & kAspectStacking) != 0)
        submit({section, "Priority", formatDecimal(note.priority)});
    if ((aspects & kAspectPosition) != 0) {
        submit({section, "PosX", formatDecimal(note.x)});
        submit({section, "PosY", formatDecimal(note.y)});
    }
    if ((aspects & kAspectWidth) != 0) submit({section, "Width", formatDecimal(note.width)});
    if ((aspects & kAspectColor) != 0) submit({section, "Type", formatDecimal(note.color)});
    if ((aspects & kAspectFont) != 0) {
        submit({section, "FontName", note.fontName});
        submit({section, "FontSize", formatDecimal(note.fontSize)});
    }
    if ((aspects & kAspectText) != 0) submit({section, "Text", escapeLineBreaks(note.text)});
    if ((aspects & kAspectTextRed) != 0) {
        submit({section, "TextRed", note.textRed != 0 ? "1" : "0"});
    }
}

void SettingsFile::saveHotKey(const NoteTable& table) {
    submit({kSystem, "HotKey", table.hotKey == 1 ? "On" : "Off"});
}

void SettingsFile::saveSystemKeys(const NoteTable& table) {
    const Batch batch(*this);
    submit({kSystem, "Width", formatDecimal(table.defaultWidth)});
    submit({kSystem, "Height", formatDecimal(table.defaultHeight)});
    submit({kSystem, "FontName", table.defaultFontName});
    submit({kSystem, "FontSize", formatDecimal(table.defaultFontSize)});
}

void SettingsFile::submit(Edit edit) {
    // Before the file is read the notes on screen have no place in it yet: their sections would
    // replace notes the program never saw. The host saves them once the file is read.
    if (unreadable_ && edit.section != kSystem) return;
    pending_.push_back(std::move(edit));
    if (batchDepth_ == 0) flush();
}

bool SettingsFile::retryPendingEdits() {
    if (batchDepth_ == 0) flush();
    return pending_.empty();
}

void SettingsFile::flush() noexcept {
    if (pending_.empty() || unreadable_) return;
    if (beforeWrite_) {
        try {
            beforeWrite_();
        } catch (...) {
            // Nothing before a write may keep it from happening.
        }
    }
    try {
        const bool written = writePending();
        if (written) pending_.clear();
        setHealth(written ? SaveHealth::kSaved : SaveHealth::kFailing);
    } catch (...) {
        // Out of memory, say: the edits stay held like those of any failed write, and the user
        // hears of it as of any other.
        try {
            setHealth(SaveHealth::kFailing);
        } catch (...) {
            // The health is already recorded; only the word of it is lost.
        }
    }
}

bool SettingsFile::writePending() {
    // The file is read again first: keys that others wrote since the start are kept. Replaying
    // every held edit in order gives the file what a first write that landed would have left.
    NoteTable written;
    std::vector<ErasedNote> erased;
    const LocalTime now = clock_();
    const bool landed = updateProfile(
        *files_, iniPath_,
        [&](ProfileDocument& document) {
            for (const Edit& edit : pending_) {
                if (!edit.erasedAs.empty()) {
                    // Erased elsewhere meanwhile: that PC kept its own copy.
                    moveToErased(document, edit.erased.slot, edit.erasedAs, edit.value);
                } else if (edit.removesSection) {
                    document.removeSection(edit.section);
                } else {
                    document.set(edit.section, edit.key, edit.value);
                }
            }
            dropExpiredErased(document, now);
            written = readNoteFile(document);
            erased = readErasedNotes(document, now);
        },
        encoding_);
    if (landed) {
        lastRead_ = std::move(written);
        fileErased_ = std::move(erased);
    }
    return landed;
}

void SettingsFile::setHealth(SaveHealth health) {
    if (health == health_) return;
    health_ = health;
    if (healthListener_) healthListener_(health);
}

bool writeNotesFile(FileSystem& files, const std::string& path, const std::vector<NoteSlot>& notes,
                    TextEncoding encoding) {
    return updateProfile(
        files, path,
        [&](ProfileDocument& document) {
            for (std::size_t i = 0; i < notes.size(); ++i) {
                const std::string section = noteSection(static_cast<int>(i));
                forEachNoteKey(notes[i], [&](const char* key, const std::string& value) {
                    document.set(section, key, value);
                });
            }
        },
        encoding);
}

SettingsFile::Batch::Batch(SettingsFile& file) : file_(file) {
    ++file_.batchDepth_;
}

SettingsFile::Batch::~Batch() {
    if (--file_.batchDepth_ == 0) file_.flush();
}

}  // namespace yorimemo
