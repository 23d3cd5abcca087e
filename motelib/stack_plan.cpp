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
    std::size_t raised = 0;
    for (std::size_t rank = 0; rank < count; ++rank) {
        if (changes.created.count(wanted[rank]) != 0) raised = rank + 1;
    }
    if (raised == 0 && changes.prioritySet.count(wanted[0]) != 0) raised = 1;
    for (std::size_t rank = raised; rank-- > 0;) moves.push_back({wanted[rank], std::nullopt});

    // The others keep the heaviest run already in priority order. A mote whose priority was set
    // weighs least, so it moves before any other; the front one, when not raised, outweighs
    // all the rest together and stays where it is.
    std::map<std::int32_t, std::size_t> rankOf;
    for (std::size_t rank = 0; rank < count; ++rank) rankOf[wanted[rank]] = rank;
    std::vector<std::size_t> ranks;  // of the motes still to place, in stack order
    for (const std::int32_t id : current) {
        const auto found = rankOf.find(id);
        if (found != rankOf.end() && found->second >= raised) ranks.push_back(found->second);
    }
    const std::uint64_t usual = count + 1;
    auto weight = [&](std::size_t rank) -> std::uint64_t {
        if (rank == 0) return usual * usual;
        return changes.prioritySet.count(wanted[rank]) != 0 ? 1 : usual;
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

    for (std::size_t rank = raised; rank < count; ++rank) {
        if (kept[rank]) continue;
        moves.push_back({wanted[rank],
                         rank == 0 ? std::nullopt : std::optional<std::int32_t>{wanted[rank - 1]}});
    }
    return moves;
}

}  // namespace yorimemo::motelib
