#pragma once
// A library double that records every call as one line of text and answers like a small library:
// ids 0, 1, 2, ...; measured text 14 pixels a line; positions follow create and move.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "mote/mote_library.h"

namespace yorimemo::fakes {

class RecordingLibrary : public MoteLibrary {
public:
    // Calls go to a log the test owns, so they stay readable after the binding is destroyed.
    explicit RecordingLibrary(std::vector<std::string>& log) : calls(log) {}
    ~RecordingLibrary() override { calls.push_back("(binding destroyed)"); }

    std::vector<std::string>& calls;
    std::set<std::string> unbound;  // names of entry points the library lacks
    std::int32_t nextId = 0;
    std::vector<std::int32_t> createAnswers;  // given by _create, first first, before the ids

    std::vector<std::string> take() { return std::exchange(calls, {}); }

    bool attach(LibraryHandle window) override { return log("_attach", window); }
    bool floating(std::int32_t flag) override { return log("_floating", flag); }
    std::optional<std::int32_t> create(std::int32_t x, std::int32_t y, std::int32_t a,
                                       std::int32_t b, std::int32_t priority) override {
        if (!log("_create", x, y, a, b, priority)) return std::nullopt;
        if (!createAnswers.empty()) {
            const std::int32_t answer = createAnswers.front();
            createAnswers.erase(createAnswers.begin());
            return answer;
        }
        positions_[nextId] = {x, y};
        return nextId++;
    }
    bool remove(std::int32_t id) override { return log("_delete", id); }
    bool setPriority(std::int32_t id, std::int32_t priority) override {
        return log("_set_priority", id, priority);
    }
    bool move(std::int32_t id, std::int32_t dx, std::int32_t dy) override {
        if (!log("_move", id, dx, dy)) return false;
        positions_[id].first = clampedSum(positions_[id].first, dx);
        positions_[id].second = clampedSum(positions_[id].second, dy);
        return true;
    }
    bool hide(std::int32_t id) override { return log("_hide", id); }
    bool show(std::int32_t id) override { return log("_show", id); }
    std::optional<std::int32_t> posX(std::int32_t id) override {
        if (!log("_get_pos_x", id)) return std::nullopt;
        return positions_[id].first;
    }
    std::optional<std::int32_t> posY(std::int32_t id) override {
        if (!log("_get_pos_y", id)) return std::nullopt;
        return positions_[id].second;
    }
    bool setImage(std::int32_t id, LibraryHandle bitmap, LibraryHandle surface) override {
        return log("_set_image_h", id, bitmap, surface);
    }
    bool updateImage(std::int32_t id) override { return log("_update_image_h", id); }
    bool lockDraw() override { return log("_lock_draw"); }
    bool quietStack(std::int32_t flag) override { return log("_quiet_stack", flag); }
    bool setTitle(std::int32_t id, std::string_view text, TextEncoding encoding) override {
        return log("_set_title", id, quoted(text, encoding));
    }
    bool unlockDraw() override { return log("_unlock_draw"); }
    bool redraw() override { return log("_redraw"); }
    bool updateDesktopSize() override { return log("_update_desktopsize"); }
    std::optional<LibraryHandle> createBitmap(std::int32_t width, std::int32_t height,
                                              LibraryHandle* surface) override {
        if (!log("_create_bitmap", width, height)) return std::nullopt;
        ++bitmaps_;
        *surface = 2000 + bitmaps_;
        return 1000 + bitmaps_;
    }
    bool deleteBitmap(LibraryHandle bitmap) override { return log("_delete_bitmap", bitmap); }
    bool fillRect(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height, std::uint32_t color) override {
        return log("_fill_rect", bitmap, surface, x, y, width, height, hex(color));
    }
    bool drawLine(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x1, std::int32_t y1,
                  std::int32_t x2, std::int32_t y2, std::uint32_t color) override {
        return log("_draw_line", bitmap, surface, x1, y1, x2, y2, hex(color));
    }
    std::optional<LibraryHandle> createFont(std::string_view name, TextEncoding encoding,
                                            std::int32_t size, std::int32_t dpi) override {
        if (!log("_create_font", quoted(name, encoding), size, dpi)) return std::nullopt;
        return 3000 + ++fonts_;
    }
    bool deleteFont(LibraryHandle font) override { return log("_delete_font", font); }
    bool drawText(LibraryHandle bitmap, std::string_view text, TextEncoding encoding,
                  LibraryHandle font, std::uint32_t color, TextRect* rect,
                  std::uint32_t format) override {
        if (!log("_draw_text", bitmap, quoted(text, encoding), font, hex(color), rect->left,
                 rect->top, rect->right, rect->bottom, hex(format))) {
            return false;
        }
        if (format == kDrawTextMeasure) rect->bottom = rect->top + 14 * lineCount(text);
        return true;
    }

private:
    // As the library does, a move stops at the ends of the coordinate range.
    static std::int32_t clampedSum(std::int32_t position, std::int32_t delta) {
        const std::int64_t sum = std::int64_t{position} + delta;
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()));
    }
    static std::string hex(std::uint32_t value) {
        std::ostringstream out;
        out << "0x" << std::hex << std::uppercase << value;
        return out.str();
    }
    // A UTF-8 text is marked, so a test sees which encoding the renderer passed on.
    static std::string quoted(std::string_view text, TextEncoding encoding) {
        const char* mark = encoding == TextEncoding::kUtf8 ? "u8\"" : "\"";
        return mark + std::string(text) + "\"";
    }
    static int lineCount(std::string_view text) {
        if (text.empty()) return 0;
        int lines = 1;
        for (std::size_t i = text.find("\r\n"); i != std::string_view::npos;
             i = text.find("\r\n", i + 2)) {
            ++lines;
        }
        return lines;
    }

    template <typename... Args>
    bool log(const std::string& name, const Args&... args) {
        if (unbound.count(name) != 0) return false;
        std::ostringstream line;
        line << name;
        ((line << ' ' << args), ...);
        calls.push_back(line.str());
        return true;
    }

    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> positions_;
    int bitmaps_ = 0;
    int fonts_ = 0;
};

}  // namespace yorimemo::fakes
