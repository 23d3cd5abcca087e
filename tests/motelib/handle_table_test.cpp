#include "motelib/handle_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace yorimemo::motelib {
namespace {

using Table = HandleTable<std::unique_ptr<int>>;
constexpr Table::Handle kMax = std::numeric_limits<Table::Handle>::max();

TEST(HandleTableTest, HandlesAreNonZeroAndAStaleHandleFindsNothing) {
    Table table;
    const auto first = table.add(std::make_unique<int>(1));
    const auto second = table.add(std::make_unique<int>(2));
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(**table.find(second), 2);
    EXPECT_TRUE(table.remove(first));
    EXPECT_FALSE(table.remove(first));
    EXPECT_EQ(table.find(first), nullptr);
    // A freed handle is not given to the next object.
    EXPECT_NE(table.add(std::make_unique<int>(3)), first);
    EXPECT_EQ(table.find(0), nullptr);
    EXPECT_EQ(table.find(-1), nullptr);
}

TEST(HandleTableTest, WrapsPastTheTopToOneNeverZero) {
    Table table(kMax);
    EXPECT_EQ(table.add(std::make_unique<int>(1)), kMax);
    EXPECT_EQ(table.add(std::make_unique<int>(2)), 1);
    Table wrapping(-3);  // a start at or below zero goes to 1
    EXPECT_EQ(wrapping.add(std::make_unique<int>(0)), 1);
}

TEST(HandleTableTest, ClearFreesEverything) {
    Table table;
    const auto handle = table.add(std::make_unique<int>(5));
    table.clear();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.find(handle), nullptr);
}

}  // namespace
}  // namespace yorimemo::motelib
