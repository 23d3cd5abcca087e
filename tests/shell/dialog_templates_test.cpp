// The dialog templates and the window icon as the program carries them in its resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/file_bytes.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace yorimemo {
namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kNoteDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85;  // class atoms

const std::string kFontName = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

// A name or text field: either an ordinal or a string, here converted to code page 932.
struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string text;
};

struct Control {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    DWORD id;
    NameOrOrdinal windowClass, title;
};

struct Template {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu, windowClass, title;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0;
    std::string typeface;
    std::vector<Control> controls;
};

class Reader {
public:
    Reader(const BYTE* data, std::size_t size) : begin_(data), at_(data), end_(data + size) {}

    template <typename T>
    T take() {
        T value{};
        if (at_ + sizeof value > end_) throw std::runtime_error("template ends early");
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }

    std::string wideString() {
        std::wstring text;
        for (wchar_t c = take<wchar_t>(); c != 0; c = take<wchar_t>()) text += c;
        return EncodeCodePage(text.c_str(), kShiftJisCodePage);
    }

    NameOrOrdinal nameOrOrdinal() {
        NameOrOrdinal field;
        const auto first = take<WORD>();
        if (first == 0xFFFF) {
            field.isOrdinal = true;
            field.ordinal = take<WORD>();
        } else if (first != 0) {
            at_ -= sizeof first;
            field.text = wideString();
        }
        return field;
    }

    void alignToDword() {
        while ((at_ - begin_) % 4 != 0) ++at_;
    }

private:
    const BYTE* begin_;
    const BYTE* at_;
    const BYTE* end_;
};

// Reads an extended dialog template out of this program's resources.
Template LoadTemplate(int id) {
    const HRSRC found = ::FindResourceExA(nullptr, MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                                          MAKEINTRESOURCEA(id), kJapanese);
    if (found == nullptr) throw std::runtime_error("no Japanese template " + std::to_string(id));
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
    Reader in(data, ::SizeofResource(nullptr, found));

    Template t;
    if (in.take<WORD>() != 1 || in.take<WORD>() != 0xFFFF) {
        throw std::runtime_error("not an extended template");
    }
    in.take<DWORD>();  // help id
    t.exStyle = in.take<DWORD>();
    t.style = in.take<DWORD>();
    const WORD count = in.take<WORD>();
    t.x = in.take<short>();
    t.y = in.take<short>();
    t.cx = in.take<short>();
    t.cy = in.take<short>();
    t.menu = in.nameOrOrdinal();
    t.windowClass = in.nameOrOrdinal();
    t.title.text = in.wideString();
    if (t.style & DS_SETFONT) {
        t.pointSize = in.take<WORD>();
        t.weight = in.take<WORD>();
        t.italic = in.take<BYTE>();
        in.take<BYTE>();  // character set
        t.typeface = in.wideString();
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword();
        Control c{};
        c.helpId = in.take<DWORD>();
        c.exStyle = in.take<DWORD>();
        c.style = in.take<DWORD>();
        c.x = in.take<short>();
        c.y = in.take<short>();
        c.cx = in.take<short>();
        c.cy = in.take<short>();
        c.id = in.take<DWORD>();
        c.windowClass = in.nameOrOrdinal();
        c.title = in.nameOrOrdinal();
        const WORD extra = in.take<WORD>();
        for (WORD b = 0; b < extra; ++b) in.take<BYTE>();
        t.controls.push_back(c);
    }
    return t;
}

struct ExpectedControl {
    DWORD id;
    WORD windowClass;
    DWORD style;
    const char* text;
    short x, y, cx, cy;
};

void ExpectCommonFrame(const Template& t) {
    EXPECT_EQ(t.style, kNoteDialogStyle);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_FALSE(t.menu.isOrdinal);
    EXPECT_EQ(t.menu.text, "");
    EXPECT_FALSE(t.windowClass.isOrdinal);
    EXPECT_EQ(t.windowClass.text, "");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, kFontName);
    EXPECT_EQ(t.italic, 0);
}

void ExpectControls(const Template& t, const std::vector<ExpectedControl>& expected) {
    ASSERT_EQ(t.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Control& c = t.controls[i];
        const ExpectedControl& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(e.id));
        EXPECT_EQ(c.id, e.id);
        EXPECT_TRUE(c.windowClass.isOrdinal);
        EXPECT_EQ(c.windowClass.ordinal, e.windowClass);
        EXPECT_EQ(c.style, e.style | kVisibleChild);
        EXPECT_EQ(c.exStyle, 0u);
        EXPECT_FALSE(c.title.isOrdinal);
        EXPECT_EQ(c.title.text, e.text);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
    }
}

TEST(DialogTemplatesTest, HostIsATinyHiddenToolWindow) {
    const Template t = LoadTemplate(IDD_HOST);
    EXPECT_EQ(t.style, 0x80000040u);
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 5);
    EXPECT_EQ(t.cy, 5);
    EXPECT_EQ(t.title.text, "");
    EXPECT_EQ(t.menu.text, "");
    EXPECT_EQ(t.windowClass.text, "");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, kFontName);
    EXPECT_TRUE(t.controls.empty());
}

TEST(DialogTemplatesTest, EditDialog) {
    const Template t = LoadTemplate(IDD_EDIT_NOTE);
    ExpectCommonFrame(t);
    EXPECT_EQ(t.title.text, "\x95\xd2\x8f\x57");  // 編集
    EXPECT_EQ(t.cx, 219);
    EXPECT_EQ(t.cy, 133);
    ExpectControls(
        t, {
               {1, kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "\x8a\xae\x97\xb9", 162, 7, 50, 14},
               {2, kButton, BS_PUSHBUTTON | WS_TABSTOP, "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b",
                162, 27, 50, 14},
               {1000, kEdit,
                ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, "",
                7, 7, 146, 47},
               {0xFFFF, kStatic, SS_LEFT | WS_GROUP, "\x83\x74\x83\x48\x83\x93\x83\x67\x81\x46", 7,
                63, 38, 8},
               {1007, kComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, "", 45, 61, 108, 120},
               {0xFFFF, kStatic, SS_LEFT | WS_GROUP,
                "\x95\xb6\x8e\x9a\x83\x54\x83\x43\x83\x59\x81\x46", 7, 81, 38, 8},
               {1006, kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 45, 79, 22, 14},
               {1002, kButton, BS_AUTOCHECKBOX | WS_TABSTOP,
                "\x95\xb6\x8e\x9a\x90\x46\x83\x8c\x83\x62\x83\x68", 87, 81, 52, 10},
               {0xFFFF, kButton, BS_GROUPBOX, "\x95\x74\xe2\xb3\x83\x4a\x83\x89\x81\x5b", 7, 99,
                146, 27},
               {1003, kButton, BS_AUTORADIOBUTTON | WS_TABSTOP, "\x83\x56\x83\x41\x83\x93", 13, 110,
                34, 10},
               {1004, kButton, BS_AUTORADIOBUTTON, "\x83\x7d\x83\x5b\x83\x93\x83\x5e", 54, 110, 40,
                10},
               {1005, kButton, BS_AUTORADIOBUTTON, "\x83\x43\x83\x47\x83\x8d\x81\x5b", 102, 110, 41,
                10},
           });
}

TEST(DialogTemplatesTest, EraseDialog) {
    const Template t = LoadTemplate(IDD_ERASE_NOTE);
    ExpectCommonFrame(t);
    EXPECT_EQ(t.title.text, "\x8f\xc1\x8b\x8e\x8a\x6d\x94\x46");  // 消去確認
    EXPECT_EQ(t.cx, 122);
    EXPECT_EQ(t.cy, 44);
    ExpectControls(
        t, {
               {1, kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "\x82\xcd\x82\xa2", 8, 23, 50, 14},
               {2, kButton, BS_PUSHBUTTON | WS_TABSTOP, "\x82\xa2\x82\xa2\x82\xa6", 64, 23, 50, 14},
               {0xFFFF, kStatic, SS_CENTER | WS_GROUP,
                "\x96\x7b\x93\x96\x82\xc9\x8f\xc1\x8b\x8e\x82\xb5\x82\xc4\x82\xe0\x82"
                "\xa2\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48",
                7, 7, 108, 8},
           });
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST(DialogTemplatesTest, WindowIconHasSixteenColourImagesForEveryTraySize) {
    const HRSRC found = ::FindResourceExA(nullptr, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */,
                                          MAKEINTRESOURCEA(IDI_MAIN), kJapanese);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
    WORD header[3];
    std::memcpy(header, data, sizeof header);
    ASSERT_EQ(header[1], 1);  // icons, not cursors
    ASSERT_EQ(header[2], 4);
    std::vector<std::pair<int, int>> sizes;
    for (int i = 0; i < 4; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, data + sizeof header + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.colorCount, 16);
        EXPECT_EQ(entry.bitCount, 4);
        sizes.emplace_back(entry.width, entry.height);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{32, 32}, {24, 24}, {20, 20}, {16, 16}}));

    // The system makes every size from it; the tray's small icon at 100 % to 150 % is one of
    // them, drawn for it rather than stretched.
    for (const int size : {32, 24, 20, 16}) {
        const HANDLE icon = ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN),
                                         IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        ::DestroyIcon(static_cast<HICON>(icon));
    }
    // The tray icon comes from the file beside the program, which holds the same images.
    const std::string file = testing::readFileBytes(YORIMEMO_ICON_FILE);
    ASSERT_GE(file.size(), 6u + 4 * 16);
    std::vector<int> fileSizes;
    for (int i = 0; i < file[4]; ++i) fileSizes.push_back(static_cast<BYTE>(file[6 + 16 * i]));
    EXPECT_EQ(fileSizes, (std::vector<int>{32, 24, 20, 16}));
}

// The program's manifest: the only one, so no default manifest of the build tools competes with
// it, and it asks for each monitor's own scale, the current common controls and no more rights
// than the user has.
TEST(DialogTemplatesTest, TheProgramCarriesOneManifestForEveryScaleAndTheCurrentControls) {
    const HMODULE program = ::LoadLibraryExA(
        YORIMEMO_PROGRAM_FILE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    std::vector<ULONG_PTR> manifests;
    ::EnumResourceNamesA(
        program, MAKEINTRESOURCEA(24) /* RT_MANIFEST */,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(
                reinterpret_cast<ULONG_PTR>(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, std::vector<ULONG_PTR>{1});

    const HRSRC found = ::FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(
        static_cast<const char*>(::LockResource(::LoadResource(program, found))),
        ::SizeofResource(program, found));
    ::FreeLibrary(program);
    for (const char* part : {
             ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>",
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "level=\"asInvoker\"",
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         }) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    // This test program carries the same resources: the system reads it as aware of the scale.
    EXPECT_TRUE(::IsProcessDPIAware());
}

TEST(DialogTemplatesTest, VersionInformationNamesTheProductAndTheBuildsVersion) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\041104B0\\") + name;
        if (!::VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text),
                              &length) ||
            length == 0) {
            return std::string();
        }
        return std::string(text, length - 1);
    };
    EXPECT_EQ(value("ProductName"), "yorimemo");
    EXPECT_EQ(value("ProductVersion"), YORIMEMO_EXPECTED_VERSION);
    EXPECT_EQ(value("FileDescription"), "yorimemo \x95\x74\xE2\xB3");  // "付箋"

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string numbers = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwProductVersionLS));
    EXPECT_EQ(numbers, YORIMEMO_EXPECTED_VERSION);
}

}  // namespace
}  // namespace yorimemo
