#include "notes/erased_sections.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "notes/decimal.h"
#include "notes/note_file_reader.h"

namespace yorimemo {
namespace {

constexpr std::string_view kErasedPrefix = "Erased";
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int64_t secondsOf(const LocalTime& time) {
    return daysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 +
           time.minute * 60 + time.second;
}

// "YYYY-MM-DD HH:MM:SS" exactly, a real date and time of day.
std::optional<LocalTime> parseErasedOn(std::string_view text) {
    if (text.size() != 19) return std::nullopt;
    auto field = [&](std::size_t at, std::size_t width) -> int {
        int value = 0;
        for (std::size_t i = at; i < at + width; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    LocalTime time{field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2)};
    if (!isRealDate(time.year, time.month, time.day) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

std::int64_t erasedSeconds(const ErasedNote& note, const LocalTime& now) {
    const std::optional<LocalTime> time = parseErasedOn(note.erasedOn);
    return secondsOf(time ? *time : now);
}

}  // namespace

bool isErasedSection(std::string_view name) {
    if (name.size() < kErasedPrefix.size()) return false;
    for (std::size_t i = 0; i < kErasedPrefix.size(); ++i) {
        if (lower(name[i]) != lower(kErasedPrefix[i])) return false;
    }
    return true;
}

std::string erasedSectionName(const LocalTime& time, unsigned random) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(kErasedPrefix);
    name += zeroPadded(time.year, 4) + zeroPadded(time.month, 2) + zeroPadded(time.day, 2) +
            zeroPadded(time.hour, 2) + zeroPadded(time.minute, 2) + zeroPadded(time.second, 2) +
            zeroPadded(time.millisecond, 3);
    for (int shift = 12; shift >= 0; shift -= 4) name += kHex[(random >> shift) & 0xfu];
    return name;
}

std::string erasedOnText(const LocalTime& time) {
    return dateText(time) + " " + zeroPadded(time.hour, 2) + ":" + zeroPadded(time.minute, 2) +
           ":" + zeroPadded(time.second, 2);
}

namespace {

std::vector<ErasedNote> everyErasedNote(const ProfileDocument& document) {
    std::vector<ErasedNote> notes;
    for (std::string& name : document.sectionNames()) {
        if (!isErasedSection(name)) continue;
        const int section = document.findSection(name);
        ErasedNote erased;
        readNoteSection(document, section, document.encoding(), erased.note);
        // Without an ID it was never a note: nothing to bring back.
        if (!erased.note.inUse()) continue;
        erased.section = std::move(name);
        erased.erasedOn = document.find(section, "ErasedOn").value_or("");
        const int slot = parseDecimal(document.find(section, "Slot").value_or("0"));
        erased.slot = slot >= 1 && slot <= kSlotCount ? slot - 1 : -1;
        erased.encoding = document.encoding();
        notes.push_back(std::move(erased));
    }
    return notes;
}

}  // namespace

std::vector<ErasedNote> readErasedNotes(const ProfileDocument& document, const LocalTime& now) {
    return keptErasedNotes(everyErasedNote(document), now);
}

std::vector<ErasedNote> keptErasedNotes(std::vector<ErasedNote> notes, const LocalTime& now) {
    const std::int64_t nowSeconds = secondsOf(now);
    std::stable_sort(notes.begin(), notes.end(), [&](const ErasedNote& a, const ErasedNote& b) {
        const std::int64_t at = erasedSeconds(a, now);
        const std::int64_t bt = erasedSeconds(b, now);
        return at != bt ? at > bt : a.section > b.section;
    });
    notes.erase(std::remove_if(notes.begin(), notes.end(),
                               [&](const ErasedNote& note) {
                                   return nowSeconds - erasedSeconds(note, now) >
                                          kErasedDays * kSecondsPerDay;
                               }),
                notes.end());
    if (notes.size() > kErasedKept) notes.resize(kErasedKept);
    return notes;
}

bool moveToErased(ProfileDocument& document, int slot, std::string_view erased,
                  std::string_view erasedOn) {
    const std::string husen = "Husen" + std::to_string(slot + 1);
    const int section = document.findSection(husen);
    NoteSlot note;
    readNoteSection(document, section, document.encoding(), note);
    if (!note.inUse()) return false;
    document.copySection(section, erased);
    document.set(erased, "ErasedOn", erasedOn);
    document.set(erased, "Slot", formatDecimal(slot + 1));
    document.removeSection(husen);
    return true;
}

void dropExpiredErased(ProfileDocument& document, const LocalTime& now) {
    // A section named so by hand that holds no note is no erased note: it stays.
    const std::vector<ErasedNote> all = everyErasedNote(document);
    const std::vector<ErasedNote> kept = keptErasedNotes(all, now);
    for (const ErasedNote& erased : all) {
        const bool keep = std::any_of(kept.begin(), kept.end(), [&](const ErasedNote& note) {
            return note.section == erased.section;
        });
        if (!keep) document.removeSection(erased.section);
    }
}

}  // namespace yorimemo
