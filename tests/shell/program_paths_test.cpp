#include "app/program_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo {
namespace {

const std::wstring kHyou = L"\u8868";  // 表: a backslash as a Shift-JIS byte
const std::wstring kSmile = {wchar_t(0xD83D), wchar_t(0xDE00)};  // one character, two units

TEST(ProgramPathsTest, DirectoryAndIniBesideTheProgram) {
    EXPECT_EQ(ProgramDirectory(L"C:\\Tools\\yorimemo.exe"), L"C:\\Tools");
    EXPECT_EQ(IniPath(L"C:\\Tools\\yorimemo.exe"), L"C:\\Tools\\yorimemo.ini");
    EXPECT_EQ(ProgramDirectory(L"C:\\yorimemo.exe"), L"C:");
}

TEST(ProgramPathsTest, OnlyTheFileNameHasAnExtension) {
    EXPECT_EQ(IniPath(L"C:\\my.tools\\notes"), L"C:\\my.tools\\notes.ini");
    EXPECT_EQ(IniPath(L"C:\\a.b\\notes.tar.exe"), L"C:\\a.b\\notes.tar.ini");
    EXPECT_EQ(ProgramDirectory(L"C:\\my.tools\\notes"), L"C:\\my.tools");
}

TEST(ProgramPathsTest, NoBackslashMeansNoDirectory) {
    EXPECT_EQ(ProgramDirectory(L"notes"), L"");
    EXPECT_EQ(IniPath(L"notes"), L"notes.ini");
    EXPECT_EQ(IniPath(L"yorimemo.exe"), L"yorimemo.ini");
    EXPECT_EQ(ProgramDirectory(L""), L"");
    EXPECT_EQ(IniPath(L""), L".ini");
}

TEST(ProgramPathsTest, JapaneseAndOtherNamesAreKeptWhole) {
    const std::wstring exe = L"C:\\Tools\\" + kHyou + kSmile + L".exe";
    EXPECT_EQ(ProgramDirectory(exe), L"C:\\Tools");
    EXPECT_EQ(IniPath(exe), L"C:\\Tools\\" + kHyou + kSmile + L".ini");

    const std::wstring inDir = L"C:\\" + kHyou + L"\\memo";
    EXPECT_EQ(ProgramDirectory(inDir), L"C:\\" + kHyou);
    EXPECT_EQ(IniPath(inDir), inDir + L".ini");
}

// A path of `length` units: a directory of 'd's, then the file name.
std::wstring LongPath(std::size_t length, const std::wstring& fileName) {
    return L"C:\\" + std::wstring(length - 4 - fileName.size(), L'd') + L"\\" + fileName;
}

TEST(ProgramPathsTest, PathsAreTakenWholeOrTheProgramDoesNotRun) {
    const std::wstring fits = LongPath(kMaxPath - 1, L"yorimemo.exe");
    ASSERT_EQ(fits.size(), kMaxPath - 1);
    EXPECT_TRUE(PathsFitLimit(fits));
    EXPECT_EQ(IniPath(fits), fits.substr(0, fits.size() - 4) + L".ini");
    EXPECT_EQ(ProgramDirectory(fits), fits.substr(0, fits.size() - 13));

    // Longer, the whole path still counts: no folder or name is cut short.
    const std::wstring tooLong = LongPath(kMaxPath + 40, L"yorimemo.exe");
    EXPECT_FALSE(PathsFitLimit(tooLong));
    EXPECT_FALSE(PathsFitLimit(LongPath(kMaxPath, L"yorimemo.exe")));
    EXPECT_EQ(ProgramDirectory(tooLong), tooLong.substr(0, tooLong.size() - 13));

    // A short extension or none makes the INI path the longer one.
    EXPECT_FALSE(PathsFitLimit(LongPath(kMaxPath - 1, L"yorimemo.x")));
    EXPECT_FALSE(PathsFitLimit(LongPath(kMaxPath - 1, L"yorimemo")));
    EXPECT_TRUE(PathsFitLimit(LongPath(kMaxPath - 3, L"yorimemo.x")));
}

}  // namespace
}  // namespace yorimemo
