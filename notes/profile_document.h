#pragma once
// An INI file held in memory line by line, so that a rewrite keeps every line it does not change.
// Reading follows the platform's profile functions: section and key names are compared ignoring
// ASCII case and the blanks around them, the first of duplicate sections and keys wins, blanks
// around a value and one pair of matching quotation marks around it are dropped. Lines whose first
// non-blank byte is ";" are comments. A file that begins with the UTF-8 mark is UTF-8 and keeps its
// mark; any other is code page 932.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/text_encoding.h"

namespace yorimemo {

class ProfileDocument {
public:
    // An empty document, written in `encoding` (with the mark when it is UTF-8).
    explicit ProfileDocument(TextEncoding encoding = TextEncoding::kShiftJis)
        : encoding_(encoding) {}

    // Lines may end with CR LF, LF or CR; the last line needs no line end. The mark is no part of
    // the first line.
    static ProfileDocument parse(std::string_view bytes);
    // Every line ends with CR LF; a UTF-8 document begins with the mark.
    std::string serialize() const;

    TextEncoding encoding() const { return encoding_; }

    // -1 when the document has no section of that name. Lines before the first section header
    // form the section whose name is empty.
    int findSection(std::string_view section) const;
    // The value of the first key of that name in the section; nothing when the key is missing or
    // its line has no "=".
    std::optional<std::string> find(int sectionIndex, std::string_view key) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback) const;

    // Replaces the line of the first key of that name, or adds the key after the last non-blank
    // line of the section, or adds the section at the end. A line that already reads as the value
    // keeps its bytes: blanks, quotes and the spelling of the key as the user left them. The value
    // is quoted when needed so that it reads back unchanged; it is cut at a CR, LF or NUL, which
    // no line can hold.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void removeSection(std::string_view section);
    // The names of the sections, each once, in the order they first appear.
    std::vector<std::string> sectionNames() const;
    // Adds a section named `to` at the end holding every line of the section at `from` as it is
    // (keys, comments, spelling); nothing when `from` names no section.
    void copySection(int from, std::string_view to);

    // The text written after "=" so that reading gives back `value` (already cut at line breaks).
    static std::string encodeValue(std::string_view value);

private:
    enum class LineKind { kBlank, kComment, kHeader, kKey };

    struct Line {
        std::string text;  // as in the file, without its line end
        LineKind kind = LineKind::kBlank;
        // kHeader and kKey: the name is text[nameBegin, nameEnd).
        std::size_t nameBegin = 0;
        std::size_t nameEnd = 0;
        // kKey with "=": the raw value is text[valueBegin, valueEnd).
        bool hasValue = false;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;

        std::string_view name() const;
    };

    struct Section {
        std::vector<Line> lines;  // the header first, except in the section before any header

        std::string_view name() const;
    };

    static Line parseLine(std::string text, TextEncoding encoding);
    static std::string_view valueOf(const Line& line);
    int findKeyLine(const Section& section, std::string_view key) const;

    TextEncoding encoding_;
    std::vector<Section> sections_{Section{}};
};

}  // namespace yorimemo
