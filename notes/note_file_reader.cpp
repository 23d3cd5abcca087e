#include "notes/note_file_reader.h"

#include <string>
#include <string_view>

#include "notes/decimal.h"
#include "notes/text_escape.h"
#include "text/default_face.h"

namespace yorimemo {
namespace {

// In the file's own encoding like every value read from it.
std::string defaultFontName(TextEncoding encoding) {
    return std::string(encoding == TextEncoding::kUtf8 ? kDefaultFaceUtf8 : kDefaultFaceShiftJis);
}

bool equalsOnIgnoringCase(const std::string& value) {
    return value.size() == 2 && (value[0] == 'o' || value[0] == 'O') &&
           (value[1] == 'n' || value[1] == 'N');
}

}  // namespace

void readSystemSection(const ProfileDocument& document, NoteTable& table) {
    const std::string fontName = defaultFontName(table.encoding);
    const int system = document.findSection("System");
    auto value = [&](const char* key, const char* fallback) {
        return document.find(system, key).value_or(fallback);
    };
    table.floating = equalsOnIgnoringCase(value("Floating", "Off")) ? 1 : 0;
    table.hotKey = equalsOnIgnoringCase(value("HotKey", "Off")) ? 1 : 0;
    table.defaultWidth = parseDecimal(value("Width", "300"));
    table.defaultHeight = parseDecimal(value("Height", "50"));
    table.defaultFontName = value("FontName", fontName.c_str());
    table.defaultFontSize = parseDecimal(value("FontSize", "9"));
}

void readNoteSection(const ProfileDocument& document, int section, TextEncoding encoding,
                     NoteSlot& slot) {
    const std::string fontName = defaultFontName(encoding);
    auto value = [&](const char* key, const char* fallback) {
        return document.find(section, key).value_or(fallback);
    };
    auto number = [&](const char* key, const char* fallback) {
        return parseDecimal(value(key, fallback));
    };
    slot.moteId = number("ID", "-1");
    if (!slot.inUse()) return;
    slot.priority = number("Priority", "0");
    slot.x = number("PosX", "0");
    slot.y = number("PosY", "0");
    slot.width = number("Width", "300");
    slot.color = static_cast<NoteColor>(number("Type", "0"));
    slot.fontName = value("FontName", fontName.c_str());
    slot.fontSize = number("FontSize", "9");
    slot.text = unescapeLineBreaks(value("Text", ""), encoding);
    slot.textRed = number("TextRed", "0") == 1 ? 1 : 0;
}

void readNoteSections(const ProfileDocument& document, NoteTable& table) {
    for (int i = 0; i < kSlotCount; ++i) {
        readNoteSection(document, document.findSection("Husen" + std::to_string(i + 1)),
                        table.encoding, table.slots[static_cast<std::size_t>(i)]);
    }
}

NoteTable readNoteFile(const ProfileDocument& document) {
    NoteTable table;
    table.encoding = document.encoding();
    readSystemSection(document, table);
    readNoteSections(document, table);
    return table;
}

}  // namespace yorimemo
