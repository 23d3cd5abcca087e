#include "motelib/stack_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace yorimemo::motelib {
namespace {

// Motes are ids 0 and up; other programs' windows are negative and never move.
using Stack = std::vector<std::int32_t>;

Stack motesOf(const Stack& stack) {
    Stack motes;
    std::copy_if(stack.begin(), stack.end(), std::back_inserter(motes),
                 [](std::int32_t id) { return id >= 0; });
    return motes;
}

// The stack after the moves, as the window system makes them.
Stack afterMoves(Stack stack, const std::vector<StackMove>& moves) {
    for (const StackMove& move : moves) {
        stack.erase(std::find(stack.begin(), stack.end(), move.id));
        auto at = stack.begin();
        if (move.behind) at = std::find(stack.begin(), stack.end(), *move.behind) + 1;
        if (move.over) at = std::find(stack.begin(), stack.end(), *move.over);
        stack.insert(at, move.id);
    }
    return stack;
}

Stack after(const Stack& stack, const Stack& wanted, const StackChanges& changes = {}) {
    return afterMoves(stack, planStack(wanted, motesOf(stack), changes));
}

constexpr std::int32_t kEditor = -1;
constexpr std::int32_t kBrowser = -2;

TEST(StackPlanTest, APressRaisesThePressedMoteAloneAndNothingElseMovesAnything) {
    const Stack stack{0, kEditor, 1, kBrowser, 2};
    // Pressed: 2 from the back, then 0 already in front.
    EXPECT_EQ(after(stack, {2, 0, 1}, {{2}, {}, {}}), (Stack{2, 0, kEditor, 1, kBrowser}));
    EXPECT_EQ(after(stack, {0, 1, 2}, {{0}, {}, {}}), stack);
    EXPECT_EQ(planStack({0, 1, 2}, {0, 1, 2}, {{0}, {}, {}}),
              (std::vector<StackMove>{{0, {}, {}}}));

    // A redraw, the floating flag asked again, a rebuilt note in its old window: no move.
    EXPECT_TRUE(planStack({0, 1, 2}, {0, 1, 2}, {}).empty());
    EXPECT_TRUE(planStack({}, {}, {}).empty());
}

TEST(StackPlanTest, ANewMoteComesInAtTheTopWithTheMotesThatBelongInFrontOfIt) {
    // A new window starts on top of everything.
    EXPECT_EQ(after({3, 0, kEditor, 1}, {3, 0, 1}, {{}, {3}, {}}), (Stack{3, 0, kEditor, 1}));
    EXPECT_EQ(after({3, 0, kEditor, 1}, {0, 3, 1}, {{}, {3}, {}}), (Stack{0, 3, kEditor, 1}));
    EXPECT_EQ(after({3, 0, kEditor, 1}, {0, 1, 3}, {{}, {3}, {}}), (Stack{0, 1, 3, kEditor}));
}

TEST(StackPlanTest, OutOfOrderMotesGoRightBehindTheMoteInFrontAndTheFrontOneStays) {
    // A priority set lower: that mote moves, not the two it now belongs behind.
    EXPECT_EQ(after({0, kEditor, 1, 2}, {1, 2, 0}, {{0}, {}, {}}), (Stack{kEditor, 1, 2, 0}));
    // Disturbed from outside: the front mote keeps its place and the other goes behind it.
    EXPECT_EQ(after({1, kBrowser, 0, 2}, {0, 1, 2}), (Stack{kBrowser, 0, 1, 2}));

    // Every order of five motes among two other windows, with priorities set on none, on one or
    // on all of them: the motes end in priority order, and the front one moves only when raised.
    const Stack wanted{4, 3, 2, 1, 0};
    const std::vector<StackChanges> changeSets{
        {}, {{2}, {}, {}}, {{0, 1, 2, 3, 4}, {}, {}}, {{}, {1}, {}}, {{0}, {}, {}}};
    Stack order{0, 1, 2, 3, 4};
    do {
        const Stack stack{order[0], order[1], kEditor, order[2], order[3], kBrowser, order[4]};
        for (const StackChanges& changes : changeSets) {
            const Stack result = after(stack, wanted, changes);
            ASSERT_EQ(motesOf(result), wanted);
            const bool raised = changes.prioritySet.count(4) != 0 || !changes.created.empty();
            if (!raised) {
                const auto editorAt = [](const Stack& s) {
                    return std::find(s.begin(), s.end(), kEditor) - s.begin();
                };
                const auto frontAt = [](const Stack& s) {
                    return std::find(s.begin(), s.end(), 4) - s.begin();
                };
                EXPECT_EQ(frontAt(result) < editorAt(result), frontAt(stack) < editorAt(stack));
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

StackChanges quietlySet(std::set<std::int32_t> ids) {
    return {ids, {}, ids};
}
StackChanges quietlyMade(std::set<std::int32_t> ids) {
    return {{}, ids, ids};
}

TEST(StackPlanTest, QuietMotesComeUpOverNoOtherWindow) {
    // Made by the file behind the front mote: right behind the one in front of it.
    EXPECT_EQ(after({3, 0, kEditor, 1}, {0, 1, 3}, quietlyMade({3})), (Stack{0, kEditor, 1, 3}));
    // Made, or raised, to the front: right in front of the mote behind it.
    EXPECT_EQ(after({3, kEditor, 0, 1}, {3, 0, 1}, quietlyMade({3})), (Stack{kEditor, 3, 0, 1}));
    EXPECT_EQ(after({kEditor, 0, kBrowser, 1}, {1, 0}, quietlySet({1})),
              (Stack{kEditor, 1, 0, kBrowser}));
    // ... in front of the first mote that stays, when the one behind it moves too.
    EXPECT_EQ(after({kEditor, 1, 0, kBrowser, 2}, {2, 0, 1}, quietlySet({2})),
              (Stack{kEditor, 2, 0, 1, kBrowser}));
    // The only mote stays where it was made; a quiet front mote already in place stays.
    EXPECT_TRUE(planStack({3}, {3}, quietlyMade({3})).empty());
    EXPECT_TRUE(planStack({1, 0}, {1, 0}, quietlySet({1})).empty());

    // Every order of five motes behind the editor, another window among them: quiet changes
    // put the motes in order and none ends in front of the editor. A new window starts on top.
    const Stack wanted{4, 3, 2, 1, 0};
    Stack order{0, 1, 2, 3, 4};
    do {
        const Stack stack{kEditor, order[0], order[1], kBrowser, order[2], order[3], order[4]};
        for (const StackChanges& changes :
             {quietlySet({4}), quietlySet({2}), quietlySet({0, 1, 2, 3, 4}), quietlyMade({4}),
              quietlyMade({2})}) {
            Stack start = stack;
            for (const std::int32_t id : changes.created) {
                start.erase(std::find(start.begin(), start.end(), id));
                start.insert(start.begin(), id);
            }
            const Stack result = after(start, wanted, changes);
            ASSERT_EQ(motesOf(result), wanted);
            EXPECT_EQ(result.front(), kEditor);
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

}  // namespace
}  // namespace yorimemo::motelib
