#include "motelib/face_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "motelib/gdi_values.h"

namespace yorimemo::motelib {
namespace {

const std::wstring kIpaJapaneseName = L"IPA\u30B4\u30B7\u30C3\u30AF";

struct FakeFonts {
    std::set<std::wstring> installed;
    std::vector<std::wstring> asked;
    std::function<bool(const std::wstring&)> query() {
        return [this](const std::wstring& face) {
            asked.push_back(face);
            return installed.count(face) != 0;
        };
    }
};

TEST(FaceChoiceTest, AnInstalledFaceIsKeptAsRequested) {
    FakeFonts fonts{{L"Some Face", L"IPAGothic"}, {}};
    EXPECT_EQ(chooseFace(L"Some Face", fonts.query()), L"Some Face");
    EXPECT_EQ(fonts.asked, (std::vector<std::wstring>{L"Some Face"}));
}

TEST(FaceChoiceTest, AMissingFaceFallsBackToTheFirstInstalledJapaneseFace) {
    FakeFonts onlyIpa{{L"IPAGothic", kIpaJapaneseName}, {}};
    EXPECT_EQ(chooseFace(L"NoSuchFace", onlyIpa.query()), L"IPAGothic");
    FakeFonts withDefault{{std::wstring(kDefaultFaceWide), L"IPAGothic"}, {}};
    EXPECT_EQ(chooseFace(L"NoSuchFace", withDefault.query()), std::wstring(kDefaultFaceWide));
    FakeFonts japaneseNameOnly{{kIpaJapaneseName}, {}};
    EXPECT_EQ(chooseFace(L"", japaneseNameOnly.query()), kIpaJapaneseName);
}

TEST(FaceChoiceTest, NoFallbackInstalledLeavesTheChoiceToTheCharacterSet) {
    FakeFonts none;
    EXPECT_EQ(chooseFace(L"NoSuchFace", none.query()), L"");
}

TEST(FaceChoiceTest, EmptyOverlongOrNulNamesAreNeverLookedUp) {
    const std::wstring overlong(kMaxFaceUnits + 1, L'A');
    const std::wstring withNul(L"IPA\0Gothic", 10);
    for (const std::wstring& name : {std::wstring(), overlong, withNul}) {
        FakeFonts fonts{{overlong, withNul, L"IPAGothic"}, {}};
        EXPECT_EQ(chooseFace(name, fonts.query()), L"IPAGothic");
        for (const std::wstring& asked : fonts.asked) EXPECT_NE(asked, name);
    }
    // The limit counts units, not bytes: 31 Japanese characters still fit.
    const std::wstring longest(kMaxFaceUnits, L'\u30B4');
    FakeFonts installedLongest{{longest}, {}};
    EXPECT_EQ(chooseFace(longest, installedLongest.query()), longest);
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
