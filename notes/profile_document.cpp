#include "notes/profile_document.h"

#include "notes/multibyte_text.h"

namespace yorimemo {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The bytes the platform trims around lines, names and values (0x1A is the old end-of-file mark).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool sameName(std::string_view stored, std::string_view wanted) {
    if (stored.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (asciiLower(stored[i]) != asciiLower(wanted[i])) return false;
    }
    return true;
}

// The last "]" of text[begin, end) that is a character of its own, not the second byte of a
// double-byte one; npos when there is none.
std::size_t lastClosingBracket(std::string_view text, std::size_t begin, std::size_t end,
                               TextEncoding encoding) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = begin; pos < end;) {
        const std::size_t length = FileCharLength(text.substr(0, end), pos, encoding);
        if (length == 1 && text[pos] == ']') found = pos;
        pos += length;
    }
    return found;
}

std::string_view withoutLineBreak(std::string_view value) {
    const std::size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
    return cut == std::string_view::npos ? value : value.substr(0, cut);
}

}  // namespace

std::string_view ProfileDocument::Line::name() const {
    return std::string_view(text).substr(nameBegin, nameEnd - nameBegin);
}

std::string_view ProfileDocument::Section::name() const {
    if (lines.empty() || lines.front().kind != LineKind::kHeader) return {};
    return lines.front().name();
}

ProfileDocument::Line ProfileDocument::parseLine(std::string text, TextEncoding encoding) {
    Line line;
    line.text = std::move(text);
    const std::string_view all(line.text);
    std::size_t begin = 0;
    std::size_t end = all.size();
    while (begin < end && isBlank(all[begin])) ++begin;
    while (end > begin && isBlank(all[end - 1])) --end;
    if (begin == end) return line;

    if (all[begin] == ';') {
        line.kind = LineKind::kComment;
        return line;
    }
    if (all[begin] == '[') {
        // The name runs to the last "]"; a "[" without one is read as a key, as the platform does.
        const std::size_t close = lastClosingBracket(all, begin, end, encoding);
        if (close != std::string_view::npos && close > begin) {
            line.kind = LineKind::kHeader;
            std::size_t nameBegin = begin + 1;
            std::size_t nameEnd = close;
            while (nameBegin < nameEnd && isBlank(all[nameBegin])) ++nameBegin;
            while (nameEnd > nameBegin && isBlank(all[nameEnd - 1])) --nameEnd;
            line.nameBegin = nameBegin;
            line.nameEnd = nameEnd;
            return line;
        }
    }

    line.kind = LineKind::kKey;
    line.nameBegin = begin;
    const std::size_t equals = all.substr(0, end).find('=', begin);
    if (equals == std::string_view::npos) {
        line.nameEnd = end;
        return line;
    }
    std::size_t nameEnd = equals;
    while (nameEnd > begin && isBlank(all[nameEnd - 1])) --nameEnd;
    line.nameEnd = nameEnd;
    std::size_t valueBegin = equals + 1;
    while (valueBegin < end && isBlank(all[valueBegin])) ++valueBegin;
    line.hasValue = true;
    line.valueBegin = valueBegin;
    line.valueEnd = end;
    return line;
}

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
    const bool utf8 = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8) bytes.remove_prefix(kUtf8Mark.size());
    ProfileDocument document(utf8 ? TextEncoding::kUtf8 : TextEncoding::kShiftJis);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = bytes.size();
            next = end;
        } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        Line line = parseLine(std::string(bytes.substr(pos, end - pos)), document.encoding_);
        if (line.kind == LineKind::kHeader) document.sections_.emplace_back();
        document.sections_.back().lines.push_back(std::move(line));
        pos = next;
    }
    return document;
}

std::string ProfileDocument::serialize() const {
    std::size_t size = kUtf8Mark.size();
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) size += line.text.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    if (encoding_ == TextEncoding::kUtf8) bytes += kUtf8Mark;
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            bytes += line.text;
            bytes += "\r\n";
        }
    }
    return bytes;
}

int ProfileDocument::findSection(std::string_view section) const {
    const std::string_view wanted = trimmed(section);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sameName(sections_[i].name(), wanted)) return static_cast<int>(i);
    }
    return -1;
}

int ProfileDocument::findKeyLine(const Section& section, std::string_view key) const {
    const std::string_view wanted = trimmed(key);
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (line.kind == LineKind::kKey && sameName(line.name(), wanted)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> ProfileDocument::find(int sectionIndex, std::string_view key) const {
    if (sectionIndex < 0 || static_cast<std::size_t>(sectionIndex) >= sections_.size()) {
        return std::nullopt;
    }
    const Section& section = sections_[static_cast<std::size_t>(sectionIndex)];
    const int index = findKeyLine(section, key);
    if (index < 0) return std::nullopt;
    const Line& line = section.lines[static_cast<std::size_t>(index)];
    if (!line.hasValue) return std::nullopt;
    return std::string(valueOf(line));
}

std::string_view ProfileDocument::valueOf(const Line& line) {
    std::string_view value =
        std::string_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    // Callers get a zero-terminated string from the platform: nothing after a NUL is seen, and
    // nothing after it could be written back.
    return value.substr(0, value.find('\0'));
}

std::optional<std::string> ProfileDocument::find(std::string_view section,
                                                 std::string_view key) const {
    return find(findSection(section), key);
}

std::string ProfileDocument::get(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    std::optional<std::string> value = find(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

std::string ProfileDocument::encodeValue(std::string_view value) {
    // Reading drops blanks at either end and one pair of matching quotes; quotes around the whole
    // value protect both, and the platform's reader takes them off again.
    const bool needsQuotes =
        !value.empty() &&
        (isBlank(value.front()) || isBlank(value.back()) ||
         (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()));
    if (!needsQuotes) return std::string(value);
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view name = trimmed(key);
    const std::string_view kept = withoutLineBreak(value);
    std::string text;

    int sectionIndex = findSection(section);
    if (sectionIndex < 0) {
        Section added;
        added.lines.push_back(parseLine("[" + std::string(trimmed(section)) + "]", encoding_));
        sections_.push_back(std::move(added));
        sectionIndex = static_cast<int>(sections_.size() - 1);
    }
    Section& target = sections_[static_cast<std::size_t>(sectionIndex)];

    const int keyIndex = findKeyLine(target, name);
    if (keyIndex >= 0) {
        // The file's own spelling of the key stays.
        Line& line = target.lines[static_cast<std::size_t>(keyIndex)];
        if (line.hasValue && valueOf(line) == kept) return;
        text = std::string(line.name());
        text += '=';
        text += encodeValue(kept);
        line = parseLine(std::move(text), encoding_);
        return;
    }

    std::size_t insertAt = target.lines.size();
    while (insertAt > 0 && target.lines[insertAt - 1].kind == LineKind::kBlank) --insertAt;
    text = std::string(name);
    text += '=';
    text += encodeValue(kept);
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                        parseLine(std::move(text), encoding_));
}

void ProfileDocument::removeSection(std::string_view section) {
    const std::string_view wanted = trimmed(section);
    // The section before the first header stays, emptied, so that it remains first.
    if (sameName(sections_.front().name(), wanted)) sections_.front().lines.clear();
    for (std::size_t i = sections_.size(); i-- > 1;) {
        if (sameName(sections_[i].name(), wanted)) {
            sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

std::vector<std::string> ProfileDocument::sectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        const std::string_view name = sections_[i].name();
        if (findSection(name) == static_cast<int>(i)) names.emplace_back(name);
    }
    return names;
}

void ProfileDocument::copySection(int from, std::string_view to) {
    if (from < 1 || static_cast<std::size_t>(from) >= sections_.size()) return;
    Section copy = sections_[static_cast<std::size_t>(from)];
    copy.lines.front() = parseLine("[" + std::string(trimmed(to)) + "]", encoding_);
    sections_.push_back(std::move(copy));
}

}  // namespace yorimemo
