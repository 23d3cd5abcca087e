#include "notes/note_merge.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace yorimemo {
namespace {

// The aspects merged one by one; the priority is merged apart, by stacking order.
constexpr NoteAspect kMergedAspects[] = {kAspectText,    kAspectColor, kAspectFont,
                                         kAspectTextRed, kAspectWidth, kAspectPosition};

// The arrived text of a note edited on both sides lies this far right of and below the note.
constexpr std::int32_t kArrivedTextOffset = 20;

bool sameAspect(const NoteSlot& a, const NoteSlot& b, NoteAspect aspect) {
    switch (aspect) {
        case kAspectText:
            return a.text == b.text;
        case kAspectColor:
            return a.color == b.color;
        case kAspectFont:
            return a.fontName == b.fontName && a.fontSize == b.fontSize;
        case kAspectTextRed:
            return (a.textRed != 0) == (b.textRed != 0);
        case kAspectWidth:
            return a.width == b.width;
        case kAspectPosition:
            return a.x == b.x && a.y == b.y;
        default:
            return a.priority == b.priority;
    }
}

void copyAspect(NoteSlot& to, const NoteSlot& from, NoteAspect aspect) {
    switch (aspect) {
        case kAspectText:
            to.text = from.text;
            break;
        case kAspectColor:
            to.color = from.color;
            break;
        case kAspectFont:
            to.fontName = from.fontName;
            to.fontSize = from.fontSize;
            break;
        case kAspectTextRed:
            to.textRed = from.textRed;
            break;
        case kAspectWidth:
            to.width = from.width;
            break;
        case kAspectPosition:
            to.x = from.x;
            to.y = from.y;
            break;
        default:
            to.priority = from.priority;
            break;
    }
}

// The merged aspects in which two notes differ; ids never count, priorities are compared apart.
unsigned differences(const NoteSlot& a, const NoteSlot& b) {
    unsigned found = 0;
    for (const NoteAspect aspect : kMergedAspects) {
        if (!sameAspect(a, b, aspect)) found |= aspect;
    }
    return found;
}

// The stored fields of `stored` on the slot `card`, whose card (if any) still has to be rebuilt.
NoteSlot withStoredFields(const NoteSlot& card, const NoteSlot& stored) {
    NoteSlot note = card;
    note.moteId = stored.moteId;
    note.priority = stored.priority;
    for (const NoteAspect aspect : kMergedAspects) copyAspect(note, stored, aspect);
    note.hasCard = false;
    return note;
}

// A note that has never had a card here: it owns no bitmap of the library.
NoteSlot withoutCard(const NoteSlot& stored) {
    return withStoredFields(NoteSlot{}, stored);
}

// A note's place in a stack: by priority, ties by slot, as the cards are stacked.
struct StackedNote {
    int slot = 0;
    std::int32_t priority = 0;

    bool operator<(const StackedNote& other) const {
        return priority != other.priority ? priority < other.priority : slot < other.slot;
    }
};

// `before[i]` and `after[i]` are one note in two stacks. Returns the indices of the fewest notes
// that have to be restacked to turn the first order into the second: all but a longest run that
// keeps its order, among those preferring notes that kept their number. Renumbering alone, or one
// note raised, restacks no other card.
std::vector<std::size_t> notesOutOfOrder(const std::vector<StackedNote>& before,
                                         const std::vector<StackedNote>& after) {
    const std::size_t count = before.size();
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return before[a] < before[b]; });
    auto weight = [&](std::size_t k) -> std::size_t {
        const std::size_t i = order[k];
        return before[i].priority == after[i].priority ? 3 : 2;
    };
    // Heaviest increasing run of the new places, in the old order; a hundred notes at most.
    std::vector<std::size_t> total(count);
    std::vector<std::size_t> previous(count, count);
    std::size_t best = count;
    for (std::size_t k = 0; k < count; ++k) {
        total[k] = weight(k);
        for (std::size_t j = 0; j < k; ++j) {
            if (after[order[j]] < after[order[k]] && total[j] + weight(k) > total[k]) {
                total[k] = total[j] + weight(k);
                previous[k] = j;
            }
        }
        if (best == count || total[k] > total[best]) best = k;
    }
    std::vector<bool> kept(count, false);
    for (std::size_t k = best; k < count; k = previous[k]) kept[order[k]] = true;
    std::vector<std::size_t> restacked;
    for (std::size_t i = 0; i < count; ++i) {
        if (!kept[i]) restacked.push_back(i);
    }
    return restacked;
}

// A note brought back by an undo lands with the removal of its erased section, in one write, so
// that it is never in both nor in neither; written elsewhere than its slot, the copy goes along.
void dropBroughtBack(const std::vector<ErasedCopy>& erased, MergeResult& result) {
    for (const SlotWrite& edit : result.writes) {
        if (edit.kind != SlotWrite::kWhole) continue;
        const int cameFrom = result.changes[static_cast<std::size_t>(edit.slot)].cameFrom;
        const int from = cameFrom >= 0 ? cameFrom : edit.slot;
        for (const ErasedCopy& copy : erased) {
            if (copy.broughtBackTo == from) result.droppedErased.push_back(copy.section);
        }
    }
}

class Merge {
public:
    explicit Merge(const MergeInput& input)
        : base_(*input.lastRead),
          live_(*input.shown),
          file_(*input.fileNow),
          erased_(input.erased),
          busy_(input.busy),
          madeHere_(input.madeHere) {
        result_.table = live_;
        result_.read = file_;
        NoteTable& table = result_.table;
        table.defaultWidth = file_.defaultWidth;
        table.defaultHeight = file_.defaultHeight;
        table.defaultFontName = file_.defaultFontName;
        table.defaultFontSize = file_.defaultFontSize;
        if (live_.floating != base_.floating) {
            result_.writeFloating = live_.floating != file_.floating;
        } else {
            table.floating = file_.floating;
        }
        if (live_.hotKey != base_.hotKey) {
            result_.writeHotKey = live_.hotKey != file_.hotKey;
        } else {
            table.hotKey = file_.hotKey;
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!live(slot).inUse()) continue;
            // A note in use here that the file never held was made here, whatever the caller says.
            if (!base(slot).inUse()) madeHere_.set(slot);
            if (!input.unconfirmed.test(slot)) continue;
            if (busy_.test(slot)) {
                result_.unconfirmed.set(slot);  // looked at once it is free
            } else if (!seenBack(slot)) {
                // Another PC can edit our new note only once the sync carried it there and back,
                // and whatever it edits leaves its other keys as we wrote them. Until a read shows
                // the slot as we wrote it, a slot holding anything else (or nothing) is taken as
                // a note made there at the same time, or as our write not having arrived: ours is
                // placed again, as when not yet written. An edit that quick from there costs a
                // duplicate, never a loss.
                madeHere_.set(slot);
            }
        }
    }

    MergeResult run() {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (busy_.test(slot)) {
                // Arrivals wait for the end of the drag, menu or dialog: the ancestor stays.
                result_.read.slots[slot] = base(slot);
            } else if (!madeHere_.test(slot) || !live(slot).inUse()) {
                mergeSlot(slot);
            }
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (madeHere_.test(slot) && live(slot).inUse() && !busy_.test(slot)) {
                placeMadeHere(slot);
            }
        }
        for (NoteSlot& arrived : arrivedTexts_) placeArrivedText(std::move(arrived));
        givePrioritiesInFront();
        describeChanges();
        dropBroughtBack(erased_, result_);
        recordWritten();
        return std::move(result_);
    }

private:
    const NoteSlot& base(int slot) const { return base_.slots[static_cast<std::size_t>(slot)]; }
    const NoteSlot& live(int slot) const { return live_.slots[static_cast<std::size_t>(slot)]; }
    const NoteSlot& file(int slot) const { return file_.slots[static_cast<std::size_t>(slot)]; }
    NoteSlot& merged(int slot) { return result_.table.slots[static_cast<std::size_t>(slot)]; }

    // The file shows the note as this program wrote it; ids and priorities do not count, as the
    // other PC's start renumbers them. A note of theirs equal to ours in every other key cannot be
    // told apart, and nothing written is lost by taking it as ours.
    bool seenBack(int slot) const {
        return file(slot).inUse() && differences(file(slot), base(slot)) == 0;
    }

    void write(int slot, SlotWrite::Kind kind, unsigned aspects = 0) {
        result_.writes.push_back({slot, kind, aspects});
    }

    void mergeSlot(int slot) {
        const NoteSlot& before = base(slot);
        const NoteSlot& here = live(slot);
        const NoteSlot& there = file(slot);
        if (!before.inUse()) {
            // Nothing here: whatever the file holds is taken.
            if (there.inUse()) merged(slot) = withStoredFields(here, there);
            return;
        }
        if (!there.inUse()) {
            // Erased elsewhere. A move or press here is dropped; a note whose look was changed
            // here is kept and written back whole, so no edit is lost.
            if (here.inUse() && (differences(here, before) & kAspectsOfLook) != 0) {
                write(slot, SlotWrite::kWhole);
                dropErasedCopy(slot);
                return;
            }
            NoteSlot& note = merged(slot);
            note.moteId = there.moteId < 0 ? there.moteId : -1;
            note.hasCard = false;
            return;
        }
        if (!here.inUse()) {
            // Erased here. The erase stands unless the note was edited elsewhere meanwhile.
            if ((differences(there, before) & kAspectsOfLook) != 0) {
                merged(slot) = withStoredFields(here, there);
            } else {
                write(slot, SlotWrite::kRemove);
            }
            return;
        }
        mergeAspects(slot);
    }

    void mergeAspects(int slot) {
        const NoteSlot& before = base(slot);
        const NoteSlot& here = live(slot);
        const NoteSlot& there = file(slot);
        NoteSlot& note = merged(slot);
        unsigned keys = 0;
        for (const NoteAspect aspect : kMergedAspects) {
            if (sameAspect(here, before, aspect)) {
                copyAspect(note, there, aspect);
                continue;
            }
            if (sameAspect(here, there, aspect)) continue;
            keys |= aspect;
        }
        if ((keys & kAspectText) != 0 && !sameAspect(there, before, kAspectText)) {
            // Edited on both sides: ours stays in the note, theirs becomes a note of its own.
            NoteSlot arrived = withoutCard(there);
            arrived.x = note.x + kArrivedTextOffset;
            arrived.y = note.y + kArrivedTextOffset;
            arrivedTexts_.push_back(std::move(arrived));
        }
        if (sameAspect(here, before, kAspectStacking)) {
            note.priority = there.priority;
        } else {
            inFront_.push_back(slot);  // pressed here
            keys |= kAspectStacking;
        }
        if (keys != 0) write(slot, SlotWrite::kKeys, keys);
    }

    // The newest erased copy of the note in `slot` goes when its text is still the note's (as
    // last read or as edited here): the note is back whole. One whose text was edited there
    // before the erase stays, so both texts are kept.
    void dropErasedCopy(int slot) {
        for (const ErasedCopy& copy : erased_) {
            if (copy.slot != slot || copy.broughtBackTo >= 0) continue;
            if (copy.text == base(slot).text || copy.text == live(slot).text) {
                result_.droppedErased.push_back(copy.section);
            }
            return;
        }
    }

    // A free slot of both the file and the merged table.
    int freeSlot() const {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!file(slot).inUse() && !result_.table.slots[slot].inUse() && !busy_.test(slot)) {
                return slot;
            }
        }
        return -1;
    }

    void placeMadeHere(int slot) {
        const NoteSlot& there = file(slot);
        // The slot is ours unless something arrived in it; a note erased here and left alone
        // there does not count.
        const bool taken =
            there.inUse() && (!base(slot).inUse() || differences(there, base(slot)) != 0);
        if (!taken) {
            inFront_.push_back(slot);
            write(slot, SlotWrite::kWhole);
            result_.unconfirmed.set(slot);
            return;
        }
        const NoteSlot ours = live(slot);
        merged(slot) = withoutCard(there);
        arrived_.set(slot);
        const int to = freeSlot();
        if (to < 0) {
            result_.unplaced.push_back(ours);
            return;
        }
        merged(to) = ours;
        result_.changes[static_cast<std::size_t>(to)].cameFrom = slot;
        inFront_.push_back(to);
        write(to, SlotWrite::kWhole);
        result_.unconfirmed.set(to);
    }

    void placeArrivedText(NoteSlot arrived) {
        const int to = freeSlot();
        if (to < 0) {
            result_.keptNotes.push_back(std::move(arrived));
            return;
        }
        merged(to) = std::move(arrived);
        arrived_.set(to);
        arrivedInFront_.push_back(to);
        write(to, SlotWrite::kWhole);
    }

    // Notes pressed or made here go in front of every note of the file, in the order they had, and
    // arrived texts in front of them; a number that already lies in front is kept.
    void givePrioritiesInFront() {
        std::vector<bool> moving(kSlotCount, false);
        for (const int slot : inFront_) moving[static_cast<std::size_t>(slot)] = true;
        for (const int slot : arrivedInFront_) moving[static_cast<std::size_t>(slot)] = true;
        std::int64_t next = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (merged(slot).inUse() && !moving[static_cast<std::size_t>(slot)]) {
                next = std::max<std::int64_t>(next, std::int64_t{merged(slot).priority} + 1);
            }
        }
        std::stable_sort(inFront_.begin(), inFront_.end(),
                         [this](int a, int b) { return merged(a).priority < merged(b).priority; });
        inFront_.insert(inFront_.end(), arrivedInFront_.begin(), arrivedInFront_.end());
        for (const int slot : inFront_) {
            NoteSlot& note = merged(slot);
            if (note.priority < next || arrived_.test(slot)) {
                note.priority = static_cast<std::int32_t>(next);
            }
            next = std::int64_t{note.priority} + 1;
        }
        // A file full of the largest priorities wraps the counter instead of overflowing it.
        NoteTable& table = result_.table;
        next = std::max<std::int64_t>(next, table.nextPriority);
        table.nextPriority = static_cast<std::int32_t>(static_cast<std::uint32_t>(next));
    }

    void describeChanges() {
        std::vector<StackedNote> before;
        std::vector<StackedNote> after;
        int shownNotes = 0;
        int disappearing = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            SlotChange& change = result_.changes[static_cast<std::size_t>(slot)];
            const int from = change.cameFrom >= 0 ? change.cameFrom : slot;
            const NoteSlot& was = live(from);
            const NoteSlot& now = merged(slot);
            if (live(slot).inUse()) ++shownNotes;
            if (busy_.test(slot)) continue;
            if (now.inUse() && (arrived_.test(slot) || !was.inUse())) {
                change.kind = SlotChange::kAppear;
            } else if (!now.inUse() && was.inUse()) {
                change.kind = SlotChange::kDisappear;
                ++disappearing;
            } else if (now.inUse()) {
                change.aspects = differences(was, now);
                if (was.priority != now.priority) change.aspects |= kAspectPriority;
                before.push_back({from, was.priority});
                after.push_back({slot, now.priority});
            }
        }
        for (const std::size_t i : notesOutOfOrder(before, after)) {
            SlotChange& change = result_.changes[static_cast<std::size_t>(after[i].slot)];
            change.aspects = (change.aspects & ~kAspectPriority) | kAspectStacking;
        }
        for (SlotChange& change : result_.changes) {
            // A new number alone leaves the card where it is.
            if (change.kind == SlotChange::kUnchanged && (change.aspects & ~kAspectPriority) != 0) {
                change.kind = SlotChange::kUpdate;
            }
        }
        result_.floatingChanged = result_.table.floating != live_.floating;
        result_.hotKeyChanged = result_.table.hotKey != live_.hotKey;
        result_.needsConfirmation = 2 * disappearing > shownNotes;
    }

    void recordWritten() {
        NoteTable& written = result_.written = result_.read;
        if (result_.writeFloating) written.floating = result_.table.floating;
        if (result_.writeHotKey) written.hotKey = result_.table.hotKey;
        for (const SlotWrite& edit : result_.writes) {
            NoteSlot& stored = written.slots[static_cast<std::size_t>(edit.slot)];
            const NoteSlot& note = merged(edit.slot);
            if (edit.kind == SlotWrite::kRemove) {
                stored = NoteSlot{};
            } else if (edit.kind == SlotWrite::kWhole) {
                stored = withoutCard(note);
            } else {
                for (const NoteAspect aspect : kMergedAspects) {
                    if ((edit.aspects & aspect) != 0) copyAspect(stored, note, aspect);
                }
                if ((edit.aspects & kAspectStacking) != 0) stored.priority = note.priority;
            }
        }
        std::sort(result_.writes.begin(), result_.writes.end(),
                  [](const SlotWrite& a, const SlotWrite& b) { return a.slot < b.slot; });
    }

    const NoteTable& base_;
    const NoteTable& live_;
    const NoteTable& file_;
    const std::vector<ErasedCopy>& erased_;
    SlotSet busy_;
    SlotSet madeHere_;
    SlotSet arrived_;                  // slots whose note arrived in place of one shown
    std::vector<int> inFront_;         // slots whose note goes in front of the file's
    std::vector<int> arrivedInFront_;  // arrived texts, in front of those
    std::vector<NoteSlot> arrivedTexts_;
    MergeResult result_;
};

// The file is gone: everything the program holds is written back.
MergeResult writeBackWhole(const MergeInput& input) {
    MergeResult result;
    result.table = *input.shown;
    result.wholeFile = true;
    result.writeFloating = true;
    // A file that never held the key does not get one.
    result.writeHotKey = result.table.hotKey == 1;
    result.read.encoding = result.table.encoding;
    result.written = result.table;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        NoteSlot& stored = result.written.slots[static_cast<std::size_t>(slot)];
        stored = withoutCard(stored);
        if (!stored.inUse()) continue;
        result.writes.push_back({slot, SlotWrite::kWhole, 0});
        if (input.unconfirmed.test(slot)) result.unconfirmed.set(slot);
    }
    dropBroughtBack(input.erased, result);
    return result;
}

}  // namespace

MergeResult mergeNoteFile(const MergeInput& input) {
    if (input.fileNow == nullptr) return writeBackWhole(input);
    return Merge(input).run();
}

}  // namespace yorimemo
