#include "host/face_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace yorimemo {
namespace {

const std::wstring kGothic = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";  // ＭＳ ゴシック
const std::wstring kMincho = L"\uFF2D\uFF33 \u660E\u671D";              // ＭＳ 明朝

struct FaceCase {
    const char* name;
    std::vector<InstalledFace> installed;
    std::wstring noteFace;
    std::vector<std::wstring> expected;
    std::size_t selected;
};

class FaceListTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceListTest, OffersTheFacesTheFileCanName) {
    const FaceCase& c = GetParam();
    const FaceChoices choices = ChooseFaces(c.installed, c.noteFace);
    EXPECT_EQ(choices.names, c.expected);
    EXPECT_EQ(choices.selected, c.selected);
}

const FaceCase kCases[] = {
    {"JapaneseFirstEachGroupAlphabetical",
     {{L"Tahoma", false}, {kMincho, true}, {L"Arial", false}, {kGothic, true}},
     L"Tahoma",
     {kGothic, kMincho, L"Arial", L"Tahoma"},
     3},
    {"VerticalAndUnstorableFacesLeftOut",
     {{L"@" + kGothic, true}, {kGothic, true}, {L"Segoe \u00C9", false, false}, {L"Arial", false}},
     kGothic,
     {kGothic, L"Arial"},
     0},
    // The system lists a face once per character set; any Japanese listing makes it Japanese.
    {"ListedOncePerFaceJapaneseWhenAnyListingIs",
     {{L"Arial", false}, {L"Noto Sans", false}, {L"noto sans", true}, {L"Arial", false}},
     L"Arial",
     {L"Noto Sans", L"Arial"},
     1},
    {"CaseOfTheStoredNameDoesNotMatter",
     {{L"Arial", false}, {L"Tahoma", false}},
     L"TAHOMA",
     {L"Arial", L"Tahoma"},
     1},
    {"NotInstalledFaceShownFirstAsStored",
     {{L"Arial", false}, {kGothic, true}},
     L"Gone Face",
     {L"Gone Face", kGothic, L"Arial"},
     0},
    // A stored vertical face is the note's own: shown, not offered to others.
    {"StoredFaceThatIsFilteredOutStillShown",
     {{L"@" + kGothic, true}, {kGothic, true}},
     L"@" + kGothic,
     {L"@" + kGothic, kGothic},
     0},
    {"NothingInstalled", {}, kGothic, {kGothic}, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, FaceListTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace yorimemo
