#include "notes/conflict_copies.h"

#include <algorithm>
#include <cstddef>
#include <set>

#include "notes/file_name_case.h"
#include "notes/path_parts.h"
#include "notes/text_escape.h"

namespace yorimemo {
namespace {

bool takeFront(std::u32string_view& text, std::u32string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool takeBack(std::u32string_view& text, std::u32string_view suffix) {
    if (text.size() < suffix.size() || text.substr(text.size() - suffix.size()) != suffix) {
        return false;
    }
    text.remove_suffix(suffix.size());
    return true;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The pattern at the front (at the back when `back`): each "0" matches a digit, any other
// character itself.
bool takePattern(std::u32string_view& text, std::u32string_view pattern, bool back) {
    if (text.size() < pattern.size()) return false;
    const std::u32string_view part =
        back ? text.substr(text.size() - pattern.size()) : text.substr(0, pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == U'0' ? !isDigit(part[i]) : part[i] != pattern[i]) return false;
    }
    back ? text.remove_suffix(pattern.size()) : text.remove_prefix(pattern.size());
    return true;
}

// " (1)", " (2)" and so on at the back, which one client adds when a copy of that name exists.
void dropCounter(std::u32string_view& text) {
    std::u32string_view rest = text;
    if (!takeBack(rest, U")")) return;
    std::size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[rest.size() - 1 - digits])) ++digits;
    rest.remove_suffix(digits);
    if (digits > 0 && takeBack(rest, U" (")) text = rest;
}

// " (NAME's conflicted copy 2026-12-07)"
bool isUserCopy(std::u32string_view middle) {
    if (!takeFront(middle, U" (")) return false;
    dropCounter(middle);
    if (!takeBack(middle, U")")) return false;
    dropCounter(middle);
    if (!takePattern(middle, U"0000-00-00", true) || !takeBack(middle, U" CONFLICTED COPY ")) {
        return false;
    }
    return (takeBack(middle, U"'S") || takeBack(middle, U"\u2019S")) && !middle.empty();
}

// " (conflicted copy 2026-12-07 093612)", also " (conflicted copy NAME 2026-12-07 093612)"
bool isServerCopy(std::u32string_view middle) {
    if (!takeFront(middle, U" (CONFLICTED COPY ") || !takeBack(middle, U")") ||
        !takePattern(middle, U"0000-00-00 000000", true)) {
        return false;
    }
    return middle.empty() || (takeBack(middle, U" ") && !middle.empty());
}

// ".sync-conflict-20261207-093612-ABCDEFG": the date, the time and the short id of the device.
bool isDeviceCopy(std::u32string_view middle) {
    if (!takeFront(middle, U".SYNC-CONFLICT-") ||
        !takePattern(middle, U"00000000-000000-", false) || middle.size() != 7) {
        return false;
    }
    return std::all_of(middle.begin(), middle.end(),
                       [](char32_t c) { return isDigit(c) || (c >= U'A' && c <= U'Z'); });
}

// Line breaks in one form, so that texts that differ only in them count as the same.
std::string comparable(std::string_view text) {
    return escapeLineBreaks(text);
}

}  // namespace

bool isConflictCopyName(std::string_view noteFileName, std::string_view name) {
    const std::size_t dot = extensionStart(noteFileName);
    const std::u32string stem = foldFileName(noteFileName.substr(0, dot));
    const std::u32string extension = foldFileName(noteFileName.substr(dot));
    const std::u32string folded = foldFileName(name);
    std::u32string_view middle = folded;
    if (!takeFront(middle, stem) || !takeBack(middle, extension)) return false;
    return isUserCopy(middle) || isServerCopy(middle) || isDeviceCopy(middle);
}

CopyMerge mergeConflictCopy(NoteTable& table, const NoteTable& copy, const RecodeText& recode,
                            const std::vector<std::string>& erasedTexts) {
    std::set<std::string> present;
    for (const NoteSlot& note : table.slots) {
        if (note.inUse()) present.insert(comparable(note.text));
    }
    for (const std::string& text : erasedTexts) present.insert(comparable(text));
    std::vector<NoteSlot> coming;
    for (const NoteSlot& note : copy.slots) {
        if (!note.inUse() || note.text.empty()) continue;
        NoteSlot stored = note;
        if (copy.encoding != table.encoding) {
            std::optional<std::string> text = recode(note.text);
            std::optional<std::string> fontName = recode(note.fontName);
            if (!text || !fontName) return {CopyMerge::kNotStorable, {}};
            stored.text = std::move(*text);
            stored.fontName = std::move(*fontName);
        }
        // A text the copy holds twice comes home once.
        if (present.insert(comparable(stored.text)).second) coming.push_back(std::move(stored));
    }
    const auto freeSlots = std::count_if(table.slots.begin(), table.slots.end(),
                                         [](const NoteSlot& note) { return !note.inUse(); });
    if (static_cast<std::size_t>(freeSlots) < coming.size()) return {CopyMerge::kNoRoom, {}};

    std::stable_sort(coming.begin(), coming.end(),
                     [](const NoteSlot& a, const NoteSlot& b) { return a.priority < b.priority; });
    CopyMerge result;
    for (const NoteSlot& note : coming) {
        const int slot = table.firstFreeSlot();
        NoteSlot& free = table.slots[static_cast<std::size_t>(slot)];
        // The free slot keeps its bitmap, which the renderer releases when it draws the note.
        const LibraryHandle bitmap = free.bitmap;
        const LibraryHandle surface = free.surface;
        free = note;
        free.bitmap = bitmap;
        free.surface = surface;
        free.hasCard = false;
        free.priority = table.takeNextPriority();
        result.added.push_back(slot);
    }
    return result;
}

std::string keptNoteFileName(std::string_view notePath, const LocalTime& time) {
    const std::string_view stem = pathWithoutExtension(notePath);
    std::string name(stem);
    name += "-kept-" + zeroPadded(time.year, 4) + zeroPadded(time.month, 2) +
            zeroPadded(time.day, 2) + "-" + zeroPadded(time.hour, 2) + zeroPadded(time.minute, 2) +
            zeroPadded(time.second, 2);
    name += notePath.substr(stem.size());
    return name;
}

}  // namespace yorimemo
