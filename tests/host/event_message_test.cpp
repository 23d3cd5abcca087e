#include "host/event_message.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo {
namespace {

using namespace std::string_literals;

TEST(EventLineTest, TakesTheLeadingRunOfNonEmptyTerminatedLines) {
    const std::string text = "OnMoteLButtonDown\r\n7\r\n100\r\n-5\r\n";
    EXPECT_EQ(eventLine(text, 0), "OnMoteLButtonDown");
    EXPECT_EQ(eventLine(text, 3), "-5");
    EXPECT_EQ(eventLine(text, 4), std::nullopt);

    EXPECT_EQ(eventLine("OnMoteLButtonUp", 0), std::nullopt) << "a last line without CR LF";
    EXPECT_EQ(eventLine("A\r\n\r\n3\r\n", 1), std::nullopt) << "an empty line ends the run";
    EXPECT_EQ(eventLine("A\r\n\r\n3\r\n", 2), std::nullopt);
    EXPECT_EQ(eventLine("\r\nA\r\n", 0), std::nullopt);
    EXPECT_EQ(eventLine("A\nB\r\n", 0), "A\nB") << "a lone LF is part of the line";
    EXPECT_EQ(eventLine("", 0), std::nullopt);
}

TEST(SplitEventMessageTest, FillsAtMostTenFieldsAndStopsAtTheFirstZeroByte) {
    EventFields fields;
    std::string many;
    for (int i = 0; i < 12; ++i) many += std::to_string(i) + "\r\n";
    splitEventMessage(many, fields);
    for (int i = 0; i < EventFields::kCount; ++i) EXPECT_EQ(fields.lines[i], std::to_string(i));

    splitEventMessage(
        "Name\r\n1\r\n\0"
        "2\r\n3\r\n"s,
        fields);
    EXPECT_EQ(fields.lines[0], "Name");
    EXPECT_EQ(fields.lines[1], "1");
    for (int i = 2; i < EventFields::kCount; ++i) EXPECT_FALSE(fields.lines[i]) << i;

    splitEventMessage("no line end", fields);
    for (const auto& line : fields.lines) EXPECT_FALSE(line);
}

}  // namespace
}  // namespace yorimemo
