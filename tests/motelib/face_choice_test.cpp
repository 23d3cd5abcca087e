#include "motelib/face_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "motelib/gdi_values.h"

namespace yorimemo::motelib {
namespace {

const std::string kIpaJapaneseName = "IPA\x83\x53\x83\x56\x83\x62\x83\x4E";

struct FakeFonts {
    std::set<std::string> installed;
    std::vector<std::string> asked;
    std::function<bool(const std::string&)> query() {
        return [this](const std::string& face) {
            asked.push_back(face);
            return installed.count(face) != 0;
        };
    }
};

TEST(FaceChoiceTest, AnInstalledFaceIsKeptAsRequested) {
    FakeFonts fonts{{"Some Face", "IPAGothic"}, {}};
    EXPECT_EQ(chooseFace("Some Face", fonts.query()), "Some Face");
    EXPECT_EQ(fonts.asked, (std::vector<std::string>{"Some Face"}));
}

TEST(FaceChoiceTest, AMissingFaceFallsBackToTheFirstInstalledJapaneseFace) {
    FakeFonts onlyIpa{{"IPAGothic", kIpaJapaneseName}, {}};
    EXPECT_EQ(chooseFace("NoSuchFace", onlyIpa.query()), "IPAGothic");
    FakeFonts withDefault{{std::string(kDefaultFace), "IPAGothic"}, {}};
    EXPECT_EQ(chooseFace("NoSuchFace", withDefault.query()), std::string(kDefaultFace));
    FakeFonts japaneseNameOnly{{kIpaJapaneseName}, {}};
    EXPECT_EQ(chooseFace("", japaneseNameOnly.query()), kIpaJapaneseName);
}

TEST(FaceChoiceTest, NoFallbackInstalledLeavesTheChoiceToTheCharacterSet) {
    FakeFonts none;
    EXPECT_EQ(chooseFace("NoSuchFace", none.query()), "");
}

TEST(FaceChoiceTest, EmptyOverlongOrNulNamesAreNeverLookedUp) {
    const std::string overlong(kMaxFaceBytes + 1, 'A');
    const std::string withNul("IPA\0Gothic", 10);
    for (const std::string& name : {std::string(), overlong, withNul}) {
        FakeFonts fonts{{overlong, withNul, "IPAGothic"}, {}};
        EXPECT_EQ(chooseFace(name, fonts.query()), "IPAGothic");
        for (const std::string& asked : fonts.asked) EXPECT_NE(asked, name);
    }
    FakeFonts longest{{std::string(kMaxFaceBytes, 'B')}, {}};
    EXPECT_EQ(chooseFace(std::string(kMaxFaceBytes, 'B'), longest.query()),
              std::string(kMaxFaceBytes, 'B'));
}

TEST(GdiValuesTest, ColoursSwapRedAndBlueBothWays) {
    EXPECT_EQ(toColorRef(0x123456), 0x563412u);
    EXPECT_EQ(toColorRef(0xFF0000), 0x0000FFu);
    EXPECT_EQ(toColorRef(0xFFFFFF81u), 0x81FFFFu) << "the unused top byte is dropped";
}

TEST(GdiValuesTest, FontSizeIsPointsAtTheScreensDpiWithTheDefaultForNoSize) {
    EXPECT_EQ(fontPixelHeight(9, 96), 12);
    EXPECT_EQ(fontPixelHeight(10, 96), 13);  // 13.33 rounds down
    EXPECT_EQ(fontPixelHeight(11, 96), 15);  // 14.67 rounds up
    EXPECT_EQ(fontPixelHeight(12, 120), 20);
    EXPECT_EQ(fontPixelHeight(0, 96), 12);
    EXPECT_EQ(fontPixelHeight(-40, 96), 12);
    EXPECT_EQ(fontPixelHeight(2147483647, 96), fontPixelHeight(kMaxFontPoints, 96));
}

TEST(GdiValuesTest, BitmapSidesMustBePositiveAndBounded) {
    EXPECT_TRUE(validBitmapSize(1, 1));
    EXPECT_TRUE(validBitmapSize(kMaxBitmapSide, kMaxBitmapSide));
    EXPECT_FALSE(validBitmapSize(0, 10));
    EXPECT_FALSE(validBitmapSize(10, -1));
    EXPECT_FALSE(validBitmapSize(kMaxBitmapSide + 1, 10));
}

}  // namespace
}  // namespace yorimemo::motelib
