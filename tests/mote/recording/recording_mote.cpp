// A stand-in for mote.dll that shows nothing: it writes one line per call to "mote-calls.log" in
// the directory handed to `_load` and answers with small deterministic values, so tests can read
// back exactly what the program asked of the library. The line format is in kHeader.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "motelib/mote_api.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace {

constexpr wchar_t kLogName[] = L"mote-calls.log";

constexpr char kHeader[] =
    "# mote-calls.log: one line per call, \"name arg arg ...\", then \" -> result\" for calls\n"
    "# whose answer the caller uses. Integers and handles in decimal; colours and the text format\n"
    "# in upper-case hex (0x7FFFFF, 0x410). A text is two fields: \"null LEN\" for a null "
    "address,\n"
    "# else \"x\" and the block's bytes as lower-case hex pairs, then LEN; \"/SIZE\" follows the\n"
    "# bytes when the block is not exactly LEN bytes, \"/?\" when it is not a global block (then\n"
    "# it is not freed). A rectangle is four fields: left top right bottom, or \"null\".\n"
    "# Answers: _create 0, 1, 2, ...; _create_bitmap 4097, 4098, ... with the surface word\n"
    "# 8193, 8194, ...; _create_font 12289, 12290, ...; _get_pos_x/_get_pos_y the position of\n"
    "# _create plus every _move (0 for an unknown id). _draw_text with DT_CALCRECT (0x400) in the\n"
    "# format sets bottom = top + 14 * lines, lines = CR LF count + 1 (0 for an empty text);\n"
    "# the width is not used. Other calls answer 1. _load restarts the counters.\n"
    "# The UTF-16 calls _create_font_w, _draw_text_w and _set_title_w log a text as \"w\" and\n"
    "# its units as lower-case hex quads, then LEN in units (\"null LEN\" for a null address);\n"
    "# the first two answer as _create_font and _draw_text do.\n";

struct State {
    std::wstring logPath;
    int nextMote = 0;
    MoteHandle nextBitmap = 0;
    MoteHandle nextFont = 0;
    std::map<int, std::pair<int, int>> positions;
};

State& state() {
    static State s;
    return s;
}

void appendToLog(const std::string& text) {
    const std::wstring& path = state().logPath;
    if (path.empty()) return;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

// Builds one log line field by field.
class Line {
public:
    explicit Line(const char* name) : text_(name) {}
    ~Line() { appendToLog(text_ + "\n"); }

    Line& num(long long value) { return field(std::to_string(value)); }
    Line& hex(std::uint32_t value) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
        return field(buffer);
    }
    Line& word(const char* value) { return field(value); }
    Line& result() { return field("->"); }

    // Logs a text argument and frees its block, as the real library would.
    Line& text(const char* bytes, int length) {
        if (bytes == nullptr) return field("null").num(length);
        static const char digits[] = "0123456789abcdef";
        std::string token = "x";
        for (int i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            token += digits[byte >> 4];
            token += digits[byte & 0xF];
        }
        void* block = const_cast<char*>(bytes);
        const SIZE_T size = ::GlobalSize(block);
        if (size == 0 || size == static_cast<SIZE_T>(-1)) {
            token += "/?";
        } else {
            if (size != static_cast<SIZE_T>(length)) token += "/" + std::to_string(size);
            ::GlobalFree(block);
        }
        return field(token).num(length);
    }

    // Logs a UTF-16 text argument; the caller keeps it.
    Line& wide(const wchar_t* units, int length) {
        if (units == nullptr) return field("null").num(length);
        static const char digits[] = "0123456789abcdef";
        std::string token = "w";
        for (int i = 0; i < length; ++i) {
            const auto unit = static_cast<unsigned>(units[i]);
            for (int shift = 12; shift >= 0; shift -= 4) token += digits[(unit >> shift) & 0xF];
        }
        return field(token).num(length);
    }

    Line& rect(const int* corners) {
        if (corners == nullptr) return word("null");
        return num(corners[0]).num(corners[1]).num(corners[2]).num(corners[3]);
    }

    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

private:
    Line& field(const std::string& value) {
        text_ += ' ';
        text_ += value;
        return *this;
    }

    std::string text_;
};

template <typename Char>
int measuredLines(const Char* units, int length) {
    if (units == nullptr || length <= 0) return 0;
    const std::basic_string_view<Char> text(units, static_cast<std::size_t>(length));
    const Char crlf[] = {'\r', '\n', 0};
    int lines = 1;
    for (auto at = text.find(crlf); at != text.npos; at = text.find(crlf, at + 2)) {
        ++lines;
    }
    return lines;
}

int position(int id, bool vertical) {
    const auto found = state().positions.find(id);
    if (found == state().positions.end()) return 0;
    return vertical ? found->second.second : found->second.first;
}

}  // namespace

extern "C" {

int WINAPI recording_load(const char* directory, int length) {
    State& s = state();
    s = State{};
    if (directory != nullptr && length > 0) {
        // The program hands the folder over in code page 932, whatever the system's is.
        s.logPath = yorimemo::DecodeCodePage(std::string_view(directory, length),
                                             yorimemo::kShiftJisCodePage);
        if (!s.logPath.empty() && s.logPath.back() != L'\\' && s.logPath.back() != L'/') {
            s.logPath += L'\\';
        }
        s.logPath += kLogName;
        WIN32_FILE_ATTRIBUTE_DATA existing;
        const bool empty =
            !::GetFileAttributesExW(s.logPath.c_str(), GetFileExInfoStandard, &existing) ||
            (existing.nFileSizeLow == 0 && existing.nFileSizeHigh == 0);
        if (empty) appendToLog(kHeader);
    }
    Line("_load").text(directory, length);
    return 1;
}

int WINAPI recording_unload() {
    Line("_unload");
    state().positions.clear();
    return 1;
}

int WINAPI recording_attach(HWND window) {
    Line("_attach").num(reinterpret_cast<INT_PTR>(window));
    return 1;
}

int WINAPI recording_floating(int flag) {
    Line("_floating").num(flag);
    return 1;
}

int WINAPI recording_create(int x, int y, int reserved1, int reserved2, int priority) {
    State& s = state();
    const int id = s.nextMote++;
    s.positions[id] = {x, y};
    Line("_create").num(x).num(y).num(reserved1).num(reserved2).num(priority).result().num(id);
    return id;
}

int WINAPI recording_delete(int id) {
    Line("_delete").num(id);
    return 1;
}

int WINAPI recording_set_priority(int id, int priority) {
    Line("_set_priority").num(id).num(priority);
    return 1;
}

int WINAPI recording_move(int id, int dx, int dy) {
    const auto found = state().positions.find(id);
    if (found != state().positions.end()) {
        found->second.first += dx;
        found->second.second += dy;
    }
    Line("_move").num(id).num(dx).num(dy);
    return 1;
}

int WINAPI recording_get_pos_x(int id) {
    const int x = position(id, false);
    Line("_get_pos_x").num(id).result().num(x);
    return x;
}

int WINAPI recording_get_pos_y(int id) {
    const int y = position(id, true);
    Line("_get_pos_y").num(id).result().num(y);
    return y;
}

int WINAPI recording_set_image_h(int id, MoteHandle bitmap, MoteHandle surface) {
    Line("_set_image_h").num(id).num(bitmap).num(surface);
    return 1;
}

int WINAPI recording_update_image_h(int id) {
    Line("_update_image_h").num(id);
    return 1;
}

int WINAPI recording_lock_draw() {
    Line("_lock_draw");
    return 1;
}

int WINAPI recording_unlock_draw() {
    Line("_unlock_draw");
    return 1;
}

int WINAPI recording_redraw() {
    Line("_redraw");
    return 1;
}

int WINAPI recording_update_desktopsize() {
    Line("_update_desktopsize");
    return 1;
}

MoteHandle WINAPI recording_create_bitmap(int width, int height, MoteHandle* surface) {
    State& s = state();
    ++s.nextBitmap;
    const MoteHandle bitmap = 4096 + s.nextBitmap;
    Line line("_create_bitmap");
    line.num(width).num(height).word(surface != nullptr ? "ptr" : "null").result().num(bitmap);
    if (surface != nullptr) {
        *surface = 8192 + s.nextBitmap;
        line.num(*surface);
    }
    return bitmap;
}

int WINAPI recording_delete_bitmap(MoteHandle bitmap) {
    Line("_delete_bitmap").num(bitmap);
    return 1;
}

int WINAPI recording_fill_rect(MoteHandle bitmap, MoteHandle surface, int x, int y, int width,
                               int height, std::uint32_t color) {
    Line("_fill_rect").num(bitmap).num(surface).num(x).num(y).num(width).num(height).hex(color);
    return 1;
}

int WINAPI recording_draw_line(MoteHandle bitmap, MoteHandle surface, int x1, int y1, int x2,
                               int y2, std::uint32_t color) {
    Line("_draw_line").num(bitmap).num(surface).num(x1).num(y1).num(x2).num(y2).hex(color);
    return 1;
}

MoteHandle WINAPI recording_create_font(const char* name, int length, int size) {
    const MoteHandle font = 12288 + ++state().nextFont;
    Line("_create_font").text(name, length).num(size).result().num(font);
    return font;
}

int WINAPI recording_delete_font(MoteHandle font) {
    Line("_delete_font").num(font);
    return 1;
}

MoteHandle WINAPI recording_create_font_w(const wchar_t* name, int length, int size, int dpi) {
    const MoteHandle font = 12288 + ++state().nextFont;
    Line("_create_font_w").wide(name, length).num(size).num(dpi).result().num(font);
    return font;
}

// Measures as the library would; `line` already holds the text.
int drawTextRest(Line& line, int height, MoteHandle font, std::uint32_t color, int* rect,
                 int format) {
    line.num(font).hex(color).rect(rect).hex(static_cast<std::uint32_t>(format));
    if ((format & DT_CALCRECT) != 0 && rect != nullptr) {
        rect[3] = rect[1] + height;
        line.result().rect(rect);
    }
    return height;
}

int WINAPI recording_draw_text(MoteHandle bitmap, const char* text, int length, MoteHandle font,
                               std::uint32_t color, int* rect, int format) {
    const int height = 14 * measuredLines(text, length);
    Line line("_draw_text");
    line.num(bitmap).text(text, length);
    return drawTextRest(line, height, font, color, rect, format);
}

int WINAPI recording_draw_text_w(MoteHandle bitmap, const wchar_t* text, int length,
                                 MoteHandle font, std::uint32_t color, int* rect, int format) {
    const int height = 14 * measuredLines(text, length);
    Line line("_draw_text_w");
    line.num(bitmap).wide(text, length);
    return drawTextRest(line, height, font, color, rect, format);
}

int WINAPI recording_set_title_w(int id, const wchar_t* text, int length) {
    Line("_set_title_w").num(id).wide(text, length);
    return 1;
}

// The program hides and shows every card with these.
int WINAPI recording_hide(int id) {
    Line("_hide").num(id);
    return 1;
}

int WINAPI recording_show(int id) {
    Line("_show").num(id);
    return 1;
}

}  // extern "C"

// The exports must keep the program's view of them.
static_assert(std::is_same_v<decltype(&recording_load), MoteLoadFn>);
static_assert(std::is_same_v<decltype(&recording_unload), MoteUnloadFn>);
static_assert(std::is_same_v<decltype(&recording_attach), MoteAttachFn>);
static_assert(std::is_same_v<decltype(&recording_floating), MoteFloatingFn>);
static_assert(std::is_same_v<decltype(&recording_create), MoteCreateFn>);
static_assert(std::is_same_v<decltype(&recording_delete), MoteDeleteFn>);
static_assert(std::is_same_v<decltype(&recording_set_priority), MoteSetPriorityFn>);
static_assert(std::is_same_v<decltype(&recording_move), MoteMoveFn>);
static_assert(std::is_same_v<decltype(&recording_get_pos_x), MoteGetPosFn>);
static_assert(std::is_same_v<decltype(&recording_set_image_h), MoteSetImageHFn>);
static_assert(std::is_same_v<decltype(&recording_update_image_h), MoteUpdateImageHFn>);
static_assert(std::is_same_v<decltype(&recording_lock_draw), MoteVoidFn>);
static_assert(std::is_same_v<decltype(&recording_create_bitmap), MoteCreateBitmapFn>);
static_assert(std::is_same_v<decltype(&recording_delete_bitmap), MoteDeleteBitmapFn>);
static_assert(std::is_same_v<decltype(&recording_fill_rect), MoteFillRectFn>);
static_assert(std::is_same_v<decltype(&recording_draw_line), MoteDrawLineFn>);
static_assert(std::is_same_v<decltype(&recording_create_font), MoteCreateFontFn>);
static_assert(std::is_same_v<decltype(&recording_delete_font), MoteDeleteFontFn>);
static_assert(std::is_same_v<decltype(&recording_draw_text), MoteDrawTextFn>);
static_assert(std::is_same_v<decltype(&recording_create_font_w), MoteCreateFontWFn>);
static_assert(std::is_same_v<decltype(&recording_draw_text_w), MoteDrawTextWFn>);
static_assert(std::is_same_v<decltype(&recording_set_title_w), MoteSetTitleWFn>);
