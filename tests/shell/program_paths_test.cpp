#include "app/program_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo {
namespace {

// Lead bytes of code page 932; the second byte of a pair may be 0x5C, a backslash on its own.
bool Cp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const std::string kHyou = "\x95\x5c";  // 表: its second byte is a backslash

TEST(ProgramPathsTest, DirectoryAndIniBesideTheProgram) {
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\yorimemo.exe", Cp932Lead), "C:\\Tools");
    EXPECT_EQ(IniPath("C:\\Tools\\yorimemo.exe", Cp932Lead), "C:\\Tools\\yorimemo.ini");
    EXPECT_EQ(ProgramDirectory("C:\\yorimemo.exe", Cp932Lead), "C:");
}

TEST(ProgramPathsTest, OnlyTheFileNameHasAnExtension) {
    EXPECT_EQ(IniPath("C:\\my.tools\\notes", Cp932Lead), "C:\\my.tools\\notes.ini");
    EXPECT_EQ(IniPath("C:\\a.b\\notes.tar.exe", Cp932Lead), "C:\\a.b\\notes.tar.ini");
    EXPECT_EQ(ProgramDirectory("C:\\my.tools\\notes", Cp932Lead), "C:\\my.tools");
}

TEST(ProgramPathsTest, NoBackslashMeansNoDirectory) {
    EXPECT_EQ(ProgramDirectory("notes", Cp932Lead), "");
    EXPECT_EQ(IniPath("notes", Cp932Lead), "notes.ini");
    EXPECT_EQ(IniPath("yorimemo.exe", Cp932Lead), "yorimemo.ini");
    EXPECT_EQ(ProgramDirectory("", Cp932Lead), "");
    EXPECT_EQ(IniPath("", Cp932Lead), ".ini");
}

TEST(ProgramPathsTest, DoubleByteNamesKeepTheirSecondByte) {
    const std::string exe = "C:\\Tools\\" + kHyou + ".exe";
    EXPECT_EQ(ProgramDirectory(exe, Cp932Lead), "C:\\Tools");
    EXPECT_EQ(IniPath(exe, Cp932Lead), "C:\\Tools\\" + kHyou + ".ini");

    const std::string inDir = "C:\\" + kHyou + "\\memo";
    EXPECT_EQ(ProgramDirectory(inDir, Cp932Lead), "C:\\" + kHyou);
    EXPECT_EQ(IniPath(inDir, Cp932Lead), inDir + ".ini");

    // Without double-byte characters the same bytes are two separate characters.
    EXPECT_EQ(ProgramDirectory(exe, NoLeadBytes), "C:\\Tools\\\x95");
}

// A path of `length` bytes: a directory of 'd's, then the file name.
std::string LongPath(std::size_t length, const std::string& fileName) {
    return "C:\\" + std::string(length - 4 - fileName.size(), 'd') + "\\" + fileName;
}

TEST(ProgramPathsTest, LongPathsStayWithinTheLimit) {
    const std::string fits = LongPath(kMaxPath - 1, "yorimemo.exe");
    ASSERT_EQ(fits.size(), kMaxPath - 1);
    EXPECT_EQ(IniPath(fits, Cp932Lead), fits.substr(0, fits.size() - 4) + ".ini");
    EXPECT_EQ(ProgramDirectory(fits, Cp932Lead), fits.substr(0, fits.size() - 13));

    // A short extension or none makes the result longer than the path: the name gives way.
    for (const std::string name : {"yorimemo.x", "yorimemo", "yorimemo."}) {
        const std::string path = LongPath(kMaxPath - 1, name);
        EXPECT_EQ(IniPath(path, Cp932Lead), path.substr(0, kMaxPath - 5) + ".ini") << name;
    }

    // More than the system would ever hand over is cut as the system cuts it, here inside
    // the directory name, and the rules apply to what is left.
    const std::string tooLong = LongPath(kMaxPath + 40, "yorimemo.exe");
    EXPECT_EQ(ProgramDirectory(tooLong, Cp932Lead), "C:");
    EXPECT_EQ(IniPath(tooLong, Cp932Lead), tooLong.substr(0, kMaxPath - 5) + ".ini");
}

TEST(ProgramPathsTest, ShorteningNeverSplitsADoubleByteCharacter) {
    // The name may keep 255 bytes; 表 takes bytes 254 and 255, so it goes whole.
    const std::string directory = "C:\\" + std::string(250, 'd') + "\\";
    ASSERT_EQ(directory.size(), 254u);
    const std::string path = directory + kHyou + "abc";
    ASSERT_EQ(path.size(), kMaxPath - 1);
    EXPECT_EQ(IniPath(path, Cp932Lead), directory + ".ini");
}

}  // namespace
}  // namespace yorimemo
