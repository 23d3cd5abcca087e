#include "notes/file_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "notes/profile_file.h"
#include "tests/notes/profile_strings.h"
#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

using testing::readFileBytes;
using testing::ScriptedFileSystem;
using testing::TempFolder;
using testing::writeFileBytes;

class FileReplaceTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.file("settings.ini");
    ScriptedFileSystem files;
};

TEST_F(FileReplaceTest, ReplacesThroughATemporaryFileThatDoesNotStay) {
    writeFileBytes(path, "a much longer old content");
    EXPECT_TRUE(replaceFileContents(files, path, "new"));
    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_EQ(files.renames, 1);
    EXPECT_FALSE(testing::fileExists(temporaryPathFor(path)));
}

TEST_F(FileReplaceTest, CreatesAMissingFile) {
    EXPECT_TRUE(replaceFileContents(files, path, "[S]\r\n"));
    EXPECT_EQ(readFileBytes(path), "[S]\r\n");
}

TEST_F(FileReplaceTest, StaleTemporaryFileFromACrashIsOverwritten) {
    writeFileBytes(temporaryPathFor(path), "left over from a crash, longer than the new content");
    EXPECT_TRUE(replaceFileContents(files, path, "fresh"));
    EXPECT_EQ(readFileBytes(path), "fresh");
    EXPECT_FALSE(testing::fileExists(temporaryPathFor(path)));
}

// Whether a temporary file that cannot be made sends the write in place or fails it.
struct CreationCase {
    const char* name;
    bool accessDenied;    // else held by another program
    bool staleTemporary;  // one is left from before
    bool inPlace;
};

std::ostream& operator<<(std::ostream& out, const CreationCase& row) {
    return out << row.name;
}

class TemporaryCreationTest : public FileReplaceTest,
                              public ::testing::WithParamInterface<CreationCase> {};

TEST_P(TemporaryCreationTest, OnlyAFolderClosedToNewFilesIsWrittenInPlace) {
    const CreationCase& row = GetParam();
    writeFileBytes(path, "old content that is longer");
    if (row.staleTemporary) writeFileBytes(temporaryPathFor(path), "stale");
    files.failTemporaryCreation = row.accessDenied;
    files.temporaryHeld = !row.accessDenied;
    EXPECT_EQ(replaceFileContents(files, path, "new"), row.inPlace);
    EXPECT_EQ(readFileBytes(path), row.inPlace ? "new" : "old content that is longer");
    EXPECT_EQ(files.renames, 0);
    EXPECT_EQ(testing::fileExists(temporaryPathFor(path)), row.staleTemporary);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, TemporaryCreationTest,
    ::testing::Values(CreationCase{"FolderNotWritable", true, false, true},
                      CreationCase{"DeniedButATemporaryFileIsThere", true, true, false},
                      CreationCase{"HeldStaleTemporaryFile", false, true, false},
                      CreationCase{"HeldWithoutATemporaryFile", false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileReplaceTest, FailedRenameLeavesTheOldFileAndNoTemporaryFile) {
    writeFileBytes(path, "old");
    files.failRename = true;
    EXPECT_FALSE(replaceFileContents(files, path, "new"));
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_FALSE(testing::fileExists(temporaryPathFor(path)));
}

TEST_F(FileReplaceTest, ReadOnlyFileIsRefusedAndOtherAttributesAreKept) {
    writeFileBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(replaceFileContents(files, path, "new"));
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(files.writes, 0);

    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read);
    const perms before = std::filesystem::status(path).permissions();
    EXPECT_TRUE(replaceFileContents(files, path, "new"));
    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(), before);
}

TEST_F(FileReplaceTest, WriteFailingHalfWayDoesNotFallBackToWritingInPlace) {
    writeFileBytes(path, "old");
    files.failTemporaryWrite = true;
    EXPECT_FALSE(replaceFileContents(files, path, "a new content that fails half-way"));
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(files.writes, 1);
    EXPECT_FALSE(testing::fileExists(temporaryPathFor(path)));
}

TEST_F(FileReplaceTest, PlatformReadTellsMissingFromFailed) {
    std::string bytes = "untouched";
    EXPECT_EQ(platformFileSystem().readAll(path, bytes), ReadStatus::kMissing);
    EXPECT_EQ(platformFileSystem().readAll(folder.file(""), bytes), ReadStatus::kFailed);
    writeFileBytes(path, std::string("with\0nul", 8));
    EXPECT_EQ(platformFileSystem().readAll(path, bytes), ReadStatus::kRead);
    EXPECT_EQ(bytes, std::string("with\0nul", 8));
}

TEST_F(FileReplaceTest, PlatformWriteCutsALongerOldFile) {
    writeFileBytes(path, "0123456789");
    EXPECT_EQ(platformFileSystem().writeDurably(path, "abc"), WriteStatus::kWritten);
    EXPECT_EQ(readFileBytes(path), "abc");
    EXPECT_EQ(platformFileSystem().writeDurably(folder.file("no/such/folder.ini"), "x"),
              WriteStatus::kCannotOpen);
}

TEST_F(FileReplaceTest, ProfileWriteIntoAFolderThatDoesNotExistFailsQuietly) {
    const std::string nowhere = folder.file("missing-folder/settings.ini");
    EXPECT_FALSE(writeProfileString(nowhere, "S", "k", "v"));
    EXPECT_EQ(readProfileString(nowhere, "S", "k", "default"), "default");
}

TEST_F(FileReplaceTest, ProfileFunctionsOnAFile) {
    EXPECT_TRUE(writeProfileString(path, "S", "k", " v "));
    EXPECT_TRUE(writeProfileString(path, "T", "k", "w"));
    EXPECT_EQ(readProfileString(path, "s", "K", "default"), " v ");
    EXPECT_TRUE(removeProfileSection(path, "S"));
    EXPECT_EQ(readProfileString(path, "S", "k", "default"), "default");
    EXPECT_EQ(readFileBytes(path), "[T]\r\nk=w\r\n");
}

TEST_F(FileReplaceTest, UnchangedContentIsNotWrittenAgain) {
    writeFileBytes(path, "[S]\r\nk=v\r\n");
    EXPECT_TRUE(updateProfile(files, path, [](ProfileDocument& d) { d.set("S", "k", "v"); }));
    EXPECT_EQ(files.writes, 0);
}

}  // namespace
}  // namespace yorimemo
