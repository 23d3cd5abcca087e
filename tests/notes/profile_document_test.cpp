#include "notes/profile_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

using testing::kUtf8Mark;

std::optional<std::string> lookUp(std::string_view file, std::string_view section,
                                  std::string_view key) {
    return ProfileDocument::parse(file).find(section, key);
}

std::string afterSet(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) {
    ProfileDocument document = ProfileDocument::parse(file);
    document.set(section, key, value);
    return document.serialize();
}

std::string afterRemove(std::string_view file, std::string_view section) {
    ProfileDocument document = ProfileDocument::parse(file);
    document.removeSection(section);
    return document.serialize();
}

// Reading files edited by hand.

TEST(ProfileReadTest, NamesIgnoreAsciiCaseAndSurroundingBlanks) {
    const std::string file = "  [ husen1 ]  \r\n\t id \t=  5  \r\n";
    EXPECT_EQ(lookUp(file, "Husen1", "ID"), "5");
    EXPECT_EQ(lookUp(file, "HUSEN1", " Id "), "5");
    EXPECT_EQ(lookUp(file, "Husen2", "ID"), std::nullopt);
}

TEST(ProfileReadTest, NonAsciiLettersAreComparedExactly) {
    // Full-width "Ａ" and "ａ" in code page 932.
    EXPECT_EQ(lookUp("[\x82\x60]\r\nk=1\r\n", "\x82\x60", "k"), "1");
    EXPECT_EQ(lookUp("[\x82\x60]\r\nk=1\r\n", "\x82\x81", "k"), std::nullopt);
}

TEST(ProfileReadTest, SemicolonLinesAreComments) {
    const std::string file = "[S]\r\n;ID=9\r\n  ; [T]\r\nID=5\r\nk=;not a comment\r\n";
    EXPECT_EQ(lookUp(file, "S", "ID"), "5");
    EXPECT_EQ(lookUp(file, "S", ";ID"), std::nullopt);
    EXPECT_EQ(lookUp(file, "S", "k"), ";not a comment");
    EXPECT_EQ(lookUp(file, "T", "ID"), std::nullopt);
}

TEST(ProfileReadTest, FirstOfDuplicateSectionsAndKeysWins) {
    const std::string file = "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nonly=later\r\n";
    EXPECT_EQ(lookUp(file, "A", "k"), "1");
    // A later section of the same name is never searched.
    EXPECT_EQ(lookUp(file, "A", "only"), std::nullopt);
}

TEST(ProfileReadTest, KeyLineWithoutEqualsSignHidesLaterDuplicates) {
    EXPECT_EQ(lookUp("[A]\r\nk\r\nk=1\r\n", "A", "k"), std::nullopt);
    EXPECT_EQ(lookUp("[A]\r\nk=1\r\nk\r\n", "A", "k"), "1");
}

TEST(ProfileReadTest, EmptyValueIsNotAMissingKey) {
    const ProfileDocument document = ProfileDocument::parse("[A]\r\nempty=\r\nblank=   \r\n");
    EXPECT_EQ(document.get("A", "empty", "fallback"), "");
    EXPECT_EQ(document.get("A", "blank", "fallback"), "");
    EXPECT_EQ(document.get("A", "missing", "fallback"), "fallback");
    EXPECT_EQ(document.get("B", "empty", "fallback"), "fallback");
}

TEST(ProfileReadTest, AllLineEndsAndAMissingLastLineEnd) {
    const std::string file = "[A]\nlf=1\n[B]\rcr=2\r[C]\r\ncrlf=3\r\n[D]\nlast=4";
    EXPECT_EQ(lookUp(file, "A", "lf"), "1");
    EXPECT_EQ(lookUp(file, "B", "cr"), "2");
    EXPECT_EQ(lookUp(file, "C", "crlf"), "3");
    EXPECT_EQ(lookUp(file, "D", "last"), "4");
    EXPECT_EQ(lookUp(file, "A", "cr"), std::nullopt);
}

TEST(ProfileReadTest, BlanksAroundValueAreDroppedAndOnePairOfMatchingQuotes) {
    const std::string file =
        "[Q]\r\n"
        "spaced= \t v a l \x1a \r\n"
        "double=\"quoted\"\r\n"
        "single='quoted'\r\n"
        "inner=\" keeps blanks \"\r\n"
        "mixed=\"a'\r\n"
        "lone=\"\r\n"
        "pair=\"\"\r\n"
        "nested=\"\"x\"\"\r\n"
        "middle=a\"b\"c\r\n"
        "equals= a = b \r\n";
    EXPECT_EQ(lookUp(file, "Q", "spaced"), "v a l");
    EXPECT_EQ(lookUp(file, "Q", "double"), "quoted");
    EXPECT_EQ(lookUp(file, "Q", "single"), "quoted");
    EXPECT_EQ(lookUp(file, "Q", "inner"), " keeps blanks ");
    EXPECT_EQ(lookUp(file, "Q", "mixed"), "\"a'");
    EXPECT_EQ(lookUp(file, "Q", "lone"), "\"");
    EXPECT_EQ(lookUp(file, "Q", "pair"), "");
    EXPECT_EQ(lookUp(file, "Q", "nested"), "\"x\"");
    EXPECT_EQ(lookUp(file, "Q", "middle"), "a\"b\"c");
    EXPECT_EQ(lookUp(file, "Q", "equals"), "a = b");
}

TEST(ProfileReadTest, FullWidthBlankIsPartOfTheValue) {
    EXPECT_EQ(lookUp("[A]\r\nk=\x81\x40v\x81\x40\r\n", "A", "k"), "\x81\x40v\x81\x40");
}

TEST(ProfileReadTest, ValueEndsAtItsFirstNulByte) {
    using namespace std::string_literals;
    // What is read must be what a save writes back: a value never carries a NUL.
    EXPECT_EQ(lookUp("[A]\r\nk=ab\0cd\r\n"s, "A", "k"), "ab");
    EXPECT_EQ(lookUp("[A]\r\nk=\"x\0y\"\r\n"s, "A", "k"), "x");
}

TEST(ProfileReadTest, HeaderNameRunsToTheLastClosingBracket) {
    const std::string file = "[A] trailing words\r\na=1\r\n[B]]\r\nb=2\r\n[C\r\nc=3\r\n";
    EXPECT_EQ(lookUp(file, "A", "a"), "1");
    EXPECT_EQ(lookUp(file, "B]", "b"), "2");
    // "[C" is no header: its line is a key of "B]".
    EXPECT_EQ(lookUp(file, "C", "c"), std::nullopt);
    EXPECT_EQ(lookUp(file, "B]", "c"), "3");
}

TEST(ProfileReadTest, TheUtf8MarkMakesAUtf8FileAndIsNoPartOfTheFirstLine) {
    const ProfileDocument marked = ProfileDocument::parse(kUtf8Mark + "[Husen1]\r\nID=0\r\n");
    EXPECT_EQ(marked.encoding(), TextEncoding::kUtf8);
    EXPECT_EQ(marked.find("Husen1", "ID"), "0");
    EXPECT_EQ(ProfileDocument::parse(kUtf8Mark + "k=1\r\n").find("", "k"), "1");
    EXPECT_EQ(ProfileDocument::parse("[Husen1]\r\n").encoding(), TextEncoding::kShiftJis);
    // Only at the very start: elsewhere the bytes belong to their line.
    EXPECT_EQ(lookUp("[A]\r\n" + kUtf8Mark + "k=1\r\n", "A", "k"), std::nullopt);
    EXPECT_EQ(lookUp(" " + kUtf8Mark + "[A]\r\nk=1\r\n", "A", "k"), std::nullopt);
}

TEST(ProfileReadTest, AClosingBracketInsideAShiftJisCharacterEndsNoHeader) {
    // "ゾ" is 83 5D, and 5D is "]".
    const std::string file = "[A]\r\n[\x83\x5d\r\nk=1\r\n[\x83\x5d]\r\nk=2\r\n";
    EXPECT_EQ(lookUp(file, "A", "k"), "1");
    EXPECT_EQ(lookUp(file, "\x83\x5d", "k"), "2");
    // In UTF-8 the same bytes are no character, and every 5D is a bracket.
    EXPECT_EQ(lookUp(kUtf8Mark + file, "A", "k"), std::nullopt);
    EXPECT_EQ(lookUp(kUtf8Mark + file, "\x83", "k"), "1");
}

TEST(ProfileReadTest, KeysBeforeTheFirstHeaderBelongToTheNamelessSection) {
    const std::string file = "top=1\r\n[A]\r\na=2\r\n";
    EXPECT_EQ(lookUp(file, "", "top"), "1");
    EXPECT_EQ(lookUp(file, "A", "top"), std::nullopt);
}

// Writing keeps what it does not change.

TEST(ProfileWriteTest, UnchangedDocumentSerializesToTheSameBytes) {
    const std::string file =
        "; made by hand\r\n\r\n  [ System ]  \r\n  Floating =  on  \r\nodd line\r\n\r\n"
        "[Husen1]\r\nID=0\r\n";
    EXPECT_EQ(ProfileDocument::parse(file).serialize(), file);
}

TEST(ProfileWriteTest, AUtf8FileKeepsItsMarkAndANewOneIsMadeWithIt) {
    const std::string file = kUtf8Mark + "[A]\r\nk=\xe3\x82\xbd\r\n";
    EXPECT_EQ(ProfileDocument::parse(file).serialize(), file);
    EXPECT_EQ(afterSet(file, "A", "k", "v"), kUtf8Mark + "[A]\r\nk=v\r\n");
    EXPECT_EQ(afterRemove(file, "A"), kUtf8Mark);
    EXPECT_EQ(afterSet(kUtf8Mark, "S", "k", "v"), kUtf8Mark + "[S]\r\nk=v\r\n");
    ProfileDocument made(TextEncoding::kUtf8);
    made.set("S", "k", "v");
    EXPECT_EQ(made.serialize(), kUtf8Mark + "[S]\r\nk=v\r\n");
    EXPECT_EQ(ProfileDocument().serialize(), "");
}

TEST(ProfileWriteTest, ALineThatAlreadyReadsAsTheValueKeepsItsBytes) {
    using namespace std::string_literals;
    const std::string file = "[A]\r\n  Key =  \" v \"  \r\nquoted='x'\r\nnul=ab\0cd\r\nnum= 5\r\n"s;
    ProfileDocument document = ProfileDocument::parse(file);
    document.set("A", "key", " v ");
    document.set("A", "quoted", "x");
    document.set("A", "nul", "ab");
    document.set("A", "num", "5");
    EXPECT_EQ(document.serialize(), file);
    document.set("A", "num", "+5");
    EXPECT_EQ(document.find("A", "num"), "+5");
}

TEST(ProfileWriteTest, LineEndsBecomeCrLfAndLineContentsStay) {
    EXPECT_EQ(ProfileDocument::parse("[A]\n junk \rk = v\n\nlast").serialize(),
              "[A]\r\n junk \r\nk = v\r\n\r\nlast\r\n");
}

TEST(ProfileWriteTest, ReplacesValueInPlaceKeepingTheFilesSpellingOfTheKey) {
    EXPECT_EQ(afterSet("[husen1]\r\n  id = 5 \r\nx=1\r\n", "Husen1", "ID", "6"),
              "[husen1]\r\nid=6\r\nx=1\r\n");
}

TEST(ProfileWriteTest, ReplacesAKeyLineWithoutEqualsSign) {
    EXPECT_EQ(afterSet("[A]\r\nk\r\n", "A", "k", "v"), "[A]\r\nk=v\r\n");
}

TEST(ProfileWriteTest, NewKeyFollowsTheLastNonBlankLineOfTheSection) {
    EXPECT_EQ(afterSet("[A]\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\nb=1\r\n", "a", "y", "2"),
              "[A]\r\nx=1\r\n; note\r\ny=2\r\n\r\n\r\n[B]\r\nb=1\r\n");
}

TEST(ProfileWriteTest, NewSectionGoesAtTheEnd) {
    EXPECT_EQ(afterSet("", "S", "k", "v"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(afterSet("[A]\r\na=1", "S", "k", "v"), "[A]\r\na=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(afterSet("[A]\r\n\r\n", "S", "k", "v"), "[A]\r\n\r\n[S]\r\nk=v\r\n");
}

TEST(ProfileWriteTest, WritesIntoTheFirstOfDuplicateSections) {
    EXPECT_EQ(afterSet("[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "A", "n", "3"),
              "[A]\r\nk=1\r\nn=3\r\n[A]\r\nk=2\r\n");
}

TEST(ProfileWriteTest, ValueIsCutAtALineBreakSoItCannotAddLines) {
    EXPECT_EQ(afterSet("", "S", "k", "one\r\n[T]\r\nx=1"), "[S]\r\nk=one\r\n");
    EXPECT_EQ(afterSet("", "S", "k", "one\rtwo"), "[S]\r\nk=one\r\n");
    EXPECT_EQ(afterSet("", "S", "k", std::string("one\0two", 7)), "[S]\r\nk=one\r\n");
}

TEST(ProfileWriteTest, QuotesOnlyValuesThatReadingWouldChange) {
    EXPECT_EQ(ProfileDocument::encodeValue(""), "");
    EXPECT_EQ(ProfileDocument::encodeValue("plain text"), "plain text");
    EXPECT_EQ(ProfileDocument::encodeValue("\"a'"), "\"a'");
    EXPECT_EQ(ProfileDocument::encodeValue("\""), "\"");
    EXPECT_EQ(ProfileDocument::encodeValue(" lead"), "\" lead\"");
    EXPECT_EQ(ProfileDocument::encodeValue("trail\t"), "\"trail\t\"");
    EXPECT_EQ(ProfileDocument::encodeValue("'x'"), "\"'x'\"");
    EXPECT_EQ(ProfileDocument::encodeValue("\"\""), "\"\"\"\"");
}

TEST(ProfileWriteTest, EveryWrittenValueReadsBackUnchanged) {
    const std::string values[] = {
        "",         " ",        "  both  ",    "\tx\t", "\x1a", "\"q\"", "'q'", "\"",
        "'",        "\"\"",     "\" inner \"", "a\"b",  "=",    "; x",   "[x]", "\\n",
        "\x83\x5c", "\x81\x40", "x\"",         "\"x",   " \"",  "\" ",
    };
    ProfileDocument document;
    int i = 0;
    for (const std::string& value : values) document.set("S", "k" + std::to_string(i++), value);
    const ProfileDocument reread = ProfileDocument::parse(document.serialize());
    i = 0;
    for (const std::string& value : values) {
        EXPECT_EQ(reread.find("S", "k" + std::to_string(i++)), value) << "value [" << value << "]";
    }
}

TEST(ProfileWriteTest, RemovesEveryCopyOfTheSectionWithAllItsLines) {
    const std::string file =
        "; top\r\n[A]\r\na=1\r\n[husen2]\r\nk=1\r\n; inside\r\n\r\n[B]\r\nb=1\r\n"
        "[Husen2]\r\nk=2\r\n";
    EXPECT_EQ(afterRemove(file, "Husen2"), "; top\r\n[A]\r\na=1\r\n[B]\r\nb=1\r\n");
    EXPECT_EQ(afterRemove(file, "Missing"), file);
}

TEST(ProfileWriteTest, RemovingTheLastSectionLeavesTheRest) {
    ProfileDocument document = ProfileDocument::parse("[A]\r\na=1\r\n");
    document.removeSection("A");
    EXPECT_EQ(document.serialize(), "");
    document.set("A", "a", "2");
    EXPECT_EQ(document.serialize(), "[A]\r\na=2\r\n");
}

}  // namespace
}  // namespace yorimemo
