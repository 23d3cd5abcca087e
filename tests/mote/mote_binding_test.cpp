// The binding against the recording mote.dll, under Wine.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "mote/mote_library_win32.h"
#include "tests/mote/recording/call_log.h"
#include "tests/support/temp_folder.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace yorimemo {
namespace {

using recording::readCallLog;
using recording::textFields;
using recording::wideTextFields;

const std::set<std::string_view> kRecordedExports = {
    "_load",          "_unload",        "_attach",       "_floating",
    "_create",        "_delete",        "_set_priority", "_move",
    "_get_pos_x",     "_get_pos_y",     "_set_image_h",  "_update_image_h",
    "_lock_draw",     "_unlock_draw",   "_redraw",       "_update_desktopsize",
    "_create_bitmap", "_delete_bitmap", "_fill_rect",    "_draw_line",
    "_create_font",   "_delete_font",   "_draw_text",    "_hide",
    "_show",
};

std::string currentDirectory() {
    char buffer[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

bool samePath(const std::string& a, const std::string& b) {
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override { savedDirectory_ = currentDirectory(); }

    // Before the folder goes: a current directory inside it would keep it.
    void TearDown() override { ::SetCurrentDirectoryA(savedDirectory_.c_str()); }

    std::string makeDirectory(const std::string& name) {
        const std::string path = root_.file(name);
        EXPECT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
        return path;
    }

    // A program directory holding a copy of one of the recording libraries.
    std::string programWith(const char* library, const std::string& name = "program") {
        const std::string directory = makeDirectory(name);
        EXPECT_TRUE(::CopyFileA(library, (directory + "\\mote.dll").c_str(), FALSE)) << library;
        return directory;
    }

private:
    std::string savedDirectory_;
    testing::TempFolder root_{"yorimemo-binding"};
};

TEST_F(BindingTest, LoadsFromTheProgramDirectoryAndLeavesTheCurrentDirectoryAlone) {
    const std::string program = programWith(RECORDING_MOTE_DLL);
    // A library without `_create` where the caller stands: it must not be the one loaded.
    const std::string elsewhere = programWith(RECORDING_MOTE_NOCREATE_DLL, "elsewhere");
    ASSERT_TRUE(::SetCurrentDirectoryA(elsewhere.c_str()));

    CMoteLibrary library(testing::Wide(program), kMoteFileName);

    ASSERT_NE(library.module(), nullptr);
    char loaded[MAX_PATH] = {};
    ::GetModuleFileNameA(library.module(), loaded, MAX_PATH);
    EXPECT_TRUE(samePath(loaded, program + "\\mote.dll")) << loaded;
    EXPECT_TRUE(library.isBound("_create"));
    EXPECT_TRUE(samePath(currentDirectory(), elsewhere)) << currentDirectory();
}

TEST_F(BindingTest, LoadIsTheFirstCallAndCarriesTheProgramDirectory) {
    // "メモ": the folder reaches the library in code page 932 on every system.
    const std::wstring program = testing::Wide(makeDirectory("x")) + L"\\\u30E1\u30E2";
    ASSERT_TRUE(::CreateDirectoryW(program.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(testing::Wide(RECORDING_MOTE_DLL).c_str(),
                            (program + L"\\mote.dll").c_str(), FALSE));

    CMoteLibrary library(program, kMoteFileName);

    const auto calls = readCallLog(program);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "_load " + textFields(EncodeCodePage(program, kShiftJisCodePage)));
}

TEST_F(BindingTest, BindsEveryExportTheLibraryHasAndNoOther) {
    const std::string program = programWith(RECORDING_MOTE_DLL);
    CMoteLibrary library(testing::Wide(program), kMoteFileName);

    for (const auto name : kMoteExportNames) {
        EXPECT_EQ(library.isBound(name), kRecordedExports.count(name) == 1) << name;
    }
    // Catches an export the binding's table misses or misspells.
    for (const auto name : kRecordedExports) EXPECT_TRUE(library.isBound(name)) << name;
    EXPECT_TRUE(library.isBound(kMoteCreateFontW));
    EXPECT_TRUE(library.isBound(kMoteDrawTextW));
    EXPECT_TRUE(library.isBound(kMoteSetTitleW));
    EXPECT_FALSE(library.isBound("_no_such_export"));
}

TEST_F(BindingTest, AMissingExportIsSkippedAndTheOthersStillWork) {
    const std::string program = programWith(RECORDING_MOTE_NOCREATE_DLL);
    {
        CMoteLibrary library(testing::Wide(program), kMoteFileName);

        EXPECT_FALSE(library.isBound("_create"));
        EXPECT_TRUE(library.isBound("_create_bitmap"));
        EXPECT_EQ(library.create(1, 2, 0, 0, 3), std::nullopt);
        EXPECT_TRUE(library.floating(1));
    }
    const auto calls = readCallLog(program);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"_load " + textFields(program), "_floating 1", "_unload"}));
}

TEST_F(BindingTest, AMissingLibraryLeavesEverythingUnboundAndCallsNothing) {
    const std::string program = makeDirectory("empty");
    const std::string elsewhere = makeDirectory("elsewhere");
    ASSERT_TRUE(::SetCurrentDirectoryA(elsewhere.c_str()));

    CMoteLibrary library(testing::Wide(program), kMoteFileName);

    EXPECT_EQ(library.module(), nullptr);
    for (const auto name : kMoteExportNames) EXPECT_FALSE(library.isBound(name)) << name;
    EXPECT_TRUE(samePath(currentDirectory(), elsewhere)) << currentDirectory();
    for (const auto& line : library.eventFields.lines) EXPECT_FALSE(line.has_value());

    LibraryHandle surface = 77;
    TextRect rect{5, 6, 100, 0};
    EXPECT_FALSE(library.attach(1));
    EXPECT_FALSE(library.floating(1));
    EXPECT_EQ(library.create(1, 2, 0, 0, 3), std::nullopt);
    EXPECT_FALSE(library.remove(0));
    EXPECT_FALSE(library.setPriority(0, 1));
    EXPECT_FALSE(library.move(0, 1, 1));
    EXPECT_FALSE(library.hide(0));
    EXPECT_FALSE(library.show(0));
    EXPECT_EQ(library.posX(0), std::nullopt);
    EXPECT_EQ(library.posY(0), std::nullopt);
    EXPECT_FALSE(library.setImage(0, 1, 2));
    EXPECT_FALSE(library.updateImage(0));
    EXPECT_FALSE(library.lockDraw());
    EXPECT_FALSE(library.unlockDraw());
    EXPECT_FALSE(library.redraw());
    EXPECT_FALSE(library.updateDesktopSize());
    EXPECT_EQ(library.createBitmap(10, 10, &surface), std::nullopt);
    EXPECT_EQ(surface, 77);
    EXPECT_FALSE(library.deleteBitmap(1));
    EXPECT_FALSE(library.fillRect(1, 2, 0, 0, 1, 1, 0));
    EXPECT_FALSE(library.drawLine(1, 2, 0, 0, 1, 1, 0));
    EXPECT_EQ(library.createFont("font", TextEncoding::kShiftJis, 9, 0), std::nullopt);
    EXPECT_FALSE(library.deleteFont(1));
    EXPECT_FALSE(
        library.drawText(0, "text", TextEncoding::kShiftJis, 0, 0, &rect, kDrawTextMeasure));
    EXPECT_EQ(rect.bottom, 0);
}

TEST_F(BindingTest, CallsReachTheLibraryWithExactArguments) {
    const std::string program = programWith(RECORDING_MOTE_DLL);
    CMoteLibrary library(testing::Wide(program), kMoteFileName);
    // "ＭＳ ゴシック" in code page 932.
    const std::string fontName = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
    // A handle wider than 32 bits must arrive whole.
    const LibraryHandle wide = static_cast<LibraryHandle>(0x123456789LL);

    EXPECT_TRUE(library.attach(0x1234));
    EXPECT_TRUE(library.floating(1));
    EXPECT_EQ(library.create(100, 200, 0, 0, 7), 0);
    EXPECT_EQ(library.create(-5, 3, 0, 0, -1), 1);
    EXPECT_TRUE(library.move(0, 15, -20));
    EXPECT_TRUE(library.hide(0));
    EXPECT_TRUE(library.show(1));
    EXPECT_EQ(library.posX(0), 115);
    EXPECT_EQ(library.posY(0), 180);
    EXPECT_TRUE(library.setPriority(1, 42));
    EXPECT_TRUE(library.remove(1));
    EXPECT_TRUE(library.lockDraw());
    const auto font = library.createFont(fontName, TextEncoding::kShiftJis, 9, 0);
    EXPECT_EQ(font, 12289);

    TextRect empty{5, 6, 295, 0};
    EXPECT_TRUE(library.drawText(0, "", TextEncoding::kShiftJis, *font, 0x008080, &empty,
                                 kDrawTextMeasure));
    EXPECT_EQ(empty.bottom, 6);
    TextRect rect{5, 6, 295, 0};
    const std::string text = "ab\r\n\x83\x65\x83\x58\x83\x67";  // second line "テスト"
    EXPECT_TRUE(library.drawText(0, text, TextEncoding::kShiftJis, *font, 0x008080, &rect,
                                 kDrawTextMeasure));
    EXPECT_EQ(rect.bottom, 6 + 2 * 14);

    LibraryHandle surface = 0;
    const auto bitmap = library.createBitmap(290, 39, &surface);
    EXPECT_EQ(bitmap, 4097);
    EXPECT_EQ(surface, 8193);
    EXPECT_TRUE(library.setImage(0, *bitmap, surface));
    EXPECT_TRUE(library.setTitle(0, text, TextEncoding::kShiftJis));
    EXPECT_TRUE(library.fillRect(*bitmap, surface, 0, 1, 290, 38, 0x7FFFFF));
    EXPECT_TRUE(library.drawLine(*bitmap, surface, 0, 0, 289, 0, 0x000000));
    EXPECT_TRUE(library.drawText(*bitmap, text, TextEncoding::kShiftJis, *font, 0xFFFFFF81, &rect,
                                 kDrawTextWrap));
    EXPECT_EQ(rect.bottom, 34);
    EXPECT_TRUE(library.deleteFont(*font));
    EXPECT_TRUE(library.updateImage(0));
    EXPECT_TRUE(library.unlockDraw());
    EXPECT_TRUE(library.setImage(0, wide, wide + 1));
    EXPECT_TRUE(library.deleteBitmap(wide));
    EXPECT_TRUE(library.redraw());
    EXPECT_TRUE(library.updateDesktopSize());
    EXPECT_EQ(library.createFont("a", TextEncoding::kShiftJis, 9, 192), 12290);

    const std::wstring wideFontName = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
    const std::string wideText = wideTextFields(L"ab\r\n\u30C6\u30B9\u30C8");
    const std::vector<std::string> expected = {
        "_load " + textFields(program),
        "_attach 4660",
        "_floating 1",
        "_create 100 200 0 0 7 -> 0",
        "_create -5 3 0 0 -1 -> 1",
        "_move 0 15 -20",
        "_hide 0",
        "_show 1",
        "_get_pos_x 0 -> 115",
        "_get_pos_y 0 -> 180",
        "_set_priority 1 42",
        "_delete 1",
        "_lock_draw",
        "_create_font_w " + wideTextFields(wideFontName) + " 9 0 -> 12289",
        "_draw_text_w 0 null 0 12289 0x8080 5 6 295 0 0x410 -> 5 6 295 6",
        "_draw_text_w 0 " + wideText + " 12289 0x8080 5 6 295 0 0x410 -> 5 6 295 34",
        "_create_bitmap 290 39 ptr -> 4097 8193",
        "_set_image_h 0 4097 8193",
        "_set_title_w 0 " + wideTextFields(L"ab \u30C6\u30B9\u30C8"),
        "_fill_rect 4097 8193 0 1 290 38 0x7FFFFF",
        "_draw_line 4097 8193 0 0 289 0 0x0",
        "_draw_text_w 4097 " + wideText + " 12289 0xFFFFFF81 5 6 295 34 0x10",
        "_delete_font 12289",
        "_update_image_h 0",
        "_unlock_draw",
        "_set_image_h 0 4886718345 4886718346",
        "_delete_bitmap 4886718345",
        "_redraw",
        "_update_desktopsize",
        "_create_font_w " + wideTextFields(L"a") + " 9 192 -> 12290",
    };
    EXPECT_EQ(readCallLog(program), expected);
}

// A library without the UTF-16 twins gets the file's text in code page 932: Shift-JIS as stored
// (duplicate codes kept), UTF-8 re-encoded, a character 932 lacks as its default character.
TEST_F(BindingTest, AnOlderLibraryGetsCodePage932Bytes) {
    const std::string program = programWith(RECORDING_MOTE_NARROW_DLL);
    CMoteLibrary library(testing::Wide(program), kMoteFileName);
    EXPECT_FALSE(library.isBound(kMoteCreateFontW));
    EXPECT_FALSE(library.isBound(kMoteDrawTextW));
    // Without a way to name the cards, their windows simply stay unnamed.
    EXPECT_FALSE(library.setTitle(0, "a", TextEncoding::kShiftJis));

    const std::string necAndIbm = "\x87\x90\xFA\x55";  // ≒ of NEC row 13, ￤ of IBM's codes
    const std::string utf8 = "\xE3\x83\xA1\xE3\x83\xA2\xED\x95\x9C";  // メモ한
    TextRect rect{5, 6, 295, 0};
    EXPECT_EQ(library.createFont(utf8, TextEncoding::kUtf8, 9, 0), 12289);
    EXPECT_TRUE(
        library.drawText(0, necAndIbm, TextEncoding::kShiftJis, 12289, 0, &rect, kDrawTextMeasure));
    EXPECT_TRUE(library.drawText(0, utf8, TextEncoding::kUtf8, 12289, 0, &rect, kDrawTextMeasure));
    // The older call sizes fonts for the screen: a card on a monitor at twice its scale asks for
    // twice the points.
    HDC screen = ::GetDC(nullptr);
    const int screenDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(library.createFont("a", TextEncoding::kShiftJis, 9, screenDpi * 2), 12290);
    EXPECT_EQ(library.createFont("a", TextEncoding::kShiftJis, 9, screenDpi), 12291);

    const std::string utf8As932 = textFields("\x83\x81\x83\x82?");
    EXPECT_EQ(
        readCallLog(program),
        (std::vector<std::string>{
            "_load " + textFields(program),
            "_create_font " + utf8As932 + " 9 -> 12289",
            "_draw_text 0 " + textFields(necAndIbm) + " 12289 0x0 5 6 295 0 0x410 -> 5 6 295 20",
            "_draw_text 0 " + utf8As932 + " 12289 0x0 5 6 295 20 0x410 -> 5 6 295 20",
            "_create_font " + textFields("a") + " 18 -> 12290",
            "_create_font " + textFields("a") + " 9 -> 12291",
        }));
}

TEST_F(BindingTest, DestructionUnloadsAndReleasesTheLibrary) {
    const std::string program = programWith(RECORDING_MOTE_DLL);
    {
        CMoteLibrary library(testing::Wide(program), kMoteFileName);
        library.redraw();
        library.eventFields.lines[0] = "OnMoteLButtonDown";
        ASSERT_NE(::GetModuleHandleA("mote.dll"), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleA("mote.dll"), nullptr);
    const auto calls = readCallLog(program);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "_unload");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "_unload"), 1);
}

// Allocators standing in for GlobalAlloc.
UINT seenFlags = 0;
SIZE_T seenBytes = 0;
int allocations = 0;

HGLOBAL WINAPI watchedAlloc(UINT flags, SIZE_T bytes) {
    ++allocations;
    seenFlags = flags;
    seenBytes = bytes;
    return ::GlobalAlloc(flags, bytes);
}

HGLOBAL WINAPI failingAlloc(UINT, SIZE_T) {
    ++allocations;
    return nullptr;
}

TEST(LibraryTextTest, IsAFixedBlockOfExactlyTheTextsBytes) {
    allocations = 0;
    const std::string text("a\0\x83\x65", 4);  // an inner NUL is text like any other byte

    const LibraryText block = makeLibraryText(text, &watchedAlloc);

    EXPECT_EQ(allocations, 1);
    EXPECT_EQ(seenFlags, static_cast<UINT>(GMEM_FIXED));
    EXPECT_EQ(seenBytes, 4u);
    ASSERT_NE(block.bytes, nullptr);
    EXPECT_EQ(std::string(block.bytes, static_cast<std::size_t>(block.length)), text);
    ::GlobalFree(const_cast<char*>(block.bytes));
}

TEST(LibraryTextTest, EmptyOrUnallocatableTextIsNullAndZero) {
    allocations = 0;
    const LibraryText empty = makeLibraryText("", &watchedAlloc);
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(empty.bytes, nullptr);
    EXPECT_EQ(empty.length, 0);

    const LibraryText failed = makeLibraryText("text", &failingAlloc);
    EXPECT_EQ(allocations, 1);
    EXPECT_EQ(failed.bytes, nullptr);
    EXPECT_EQ(failed.length, 0);
}

}  // namespace
}  // namespace yorimemo
