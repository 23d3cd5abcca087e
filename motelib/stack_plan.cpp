#include "motelib/stack_plan.h"

#include <limits>
#include <map>

namespace yorimemo::motelib {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

struct Run {
    std::uint64_t weight = 0;
    std::size_t last = kNone;  // index in the stack sequence of the run's last mote
};

// The heaviest run ending below a rank, over ranks seen so far (a Fenwick tree of maxima), so
// that a hundred motes cost a few hundred steps rather than ten thousand.
class RunsByRank {
public:
    explicit RunsByRank(std::size_t ranks) : tree_(ranks + 1) {}

    void add(std::size_t rank, const Run& run) {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) {
            if (run.weight > tree_[i].weight) tree_[i] = run;
        }
    }

    Run bestBelow(std::size_t rank) const {
        Run best;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1)) {
            if (tree_[i].weight > best.weight) best = tree_[i];
        }
        return best;
    }

private:
    std::vector<Run> tree_;
};

}  // namespace

std::vector<StackMove> planStack(const std::vector<std::int32_t>& wanted,
                                 const std::vector<std::int32_t>& current,
                                 const StackChanges& changes) {
    std::vector<StackMove> moves;
    const std::size_t count = wanted.size();
    if (count == 0) return moves;

    // A window just made shows above all others, and some window systems reorder what is shown
    // only for a window raised to the very top: so the motes that belong in front of a new one
    // go to the top after it, back to front. A pressed mote (its priority set, now in front)
    // goes to the top alone.
    // Quiet motes never do: they did not come from the user's hand.
    auto loud = [&](std::int32_t id) { return changes.quiet.count(id) == 0; };
    std::size_t raised = 0;
    for (std::size_t rank = 0; rank < count; ++rank) {
        if (changes.created.count(wanted[rank]) != 0 && loud(wanted[rank])) raised = rank + 1;
    }
    if (raised == 0 && changes.prioritySet.count(wanted[0]) != 0 && loud(wanted[0])) raised = 1;
    for (std::size_t rank = raised; rank-- > 0;)
        moves.push_back({wanted[rank], std::nullopt, std::nullopt});

    // The others keep the heaviest run already in priority order. A mote whose priority was set
    // weighs least, so it moves before any other; the front one, when not raised and not quiet,
    // outweighs all the rest together and stays where it is. A new window's place on top is
    // none that it belongs in.
    std::map<std::int32_t, std::size_t> rankOf;
    for (std::size_t rank = 0; rank < count; ++rank) rankOf[wanted[rank]] = rank;
    std::vector<std::size_t> ranks;  // of the motes still to place, in stack order
    for (const std::int32_t id : current) {
        const auto found = rankOf.find(id);
        if (found != rankOf.end() && found->second >= raised && changes.created.count(id) == 0) {
            ranks.push_back(found->second);
        }
    }
    const std::uint64_t usual = count + 1;
    auto weight = [&](std::size_t rank) -> std::uint64_t {
        const std::int32_t id = wanted[rank];
        if (changes.prioritySet.count(id) != 0 || !loud(id)) return 1;
        return rank == 0 ? usual * usual : usual;
    };

    RunsByRank runs(count);
    std::vector<std::size_t> previous(ranks.size(), kNone);
    Run heaviest;
    for (std::size_t i = 0; i < ranks.size(); ++i) {
        const Run before = runs.bestBelow(ranks[i]);
        const Run here{before.weight + weight(ranks[i]), i};
        previous[i] = before.last;
        runs.add(ranks[i], here);
        if (here.weight > heaviest.weight) heaviest = here;
    }
    std::vector<bool> kept(count, false);
    for (std::size_t i = heaviest.last; i != kNone; i = previous[i]) kept[ranks[i]] = true;

    // A front mote that is not raised goes right in front of the first mote that stays, so it
    // lifts nothing over the windows in front of that one; the only mote stays where it is.
    std::size_t firstKept = raised;
    while (firstKept < count && !kept[firstKept]) ++firstKept;
    for (std::size_t rank = raised; rank < count; ++rank) {
        if (kept[rank]) continue;
        if (rank > 0) {
            moves.push_back({wanted[rank], wanted[rank - 1], std::nullopt});
        } else if (firstKept < count) {
            moves.push_back({wanted[0], std::nullopt, wanted[firstKept]});
        } else if (loud(wanted[0])) {
            moves.push_back({wanted[0], std::nullopt, std::nullopt});
        }
    }
    return moves;
}

}  // namespace yorimemo::motelib
