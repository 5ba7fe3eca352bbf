#include "settings/rules/ProfileLines.h"

#include "text/ShiftJis.h"

namespace settings {

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsProfileBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && IsProfileBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Length of the character at i: 2 for a lead byte with a byte after it, else 1.
std::size_t CharLength(std::string_view s, std::size_t i)
{
    return text::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Names match without regard to the case of A to Z; bytes of double-byte characters match exactly.
bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t length = CharLength(a, i);
        if (length == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

enum class LineKind { Blank, Section, Entry };

// One line of the file: its text [begin, end), its line break [end, next), and what it holds.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    LineKind kind = LineKind::Blank;
    std::string_view name;   // section name or entry name
    bool hasValue = false;   // an entry with "="
    std::string_view value;  // the entry's value
};

// End of the first line break after a line's text: CR LF counts as one, so that a line added after it goes before
// the blank lines that follow.
std::size_t FirstBreakEnd(std::string_view file, const Line& line)
{
    if (line.end == line.next) return line.end;
    if (file[line.end] == '\r' && line.end + 1 < line.next && file[line.end + 1] == '\n') return line.end + 2;
    return line.end + 1;
}

// Reads the line that starts at pos.
Line ReadLine(std::string_view file, std::size_t pos)
{
    Line line;
    line.begin = pos;
    line.end = pos;
    while (line.end < file.size() && !IsLineBreak(file[line.end])) ++line.end;
    line.next = line.end;
    while (line.next < file.size() && IsLineBreak(file[line.next])) ++line.next;

    const std::string_view text = Trim(file.substr(line.begin, line.end - line.begin));
    if (text.empty()) return line;

    if (text.front() == '[') {
        std::size_t close = std::string_view::npos;
        for (std::size_t i = 1; i < text.size(); i += CharLength(text, i))
            if (text[i] == ']') close = i;
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(text.substr(1, close - 1));
            return line;
        }
    }

    line.kind = LineKind::Entry;
    std::size_t equals = 0;
    while (equals < text.size() && text[equals] != '=') equals += CharLength(text, equals);
    if (equals >= text.size()) {
        line.name = text;
        return line;
    }
    line.name = Trim(text.substr(0, equals));
    line.hasValue = true;
    line.value = Trim(text.substr(equals + 1));
    return line;
}

// Walks the lines of the first section named section: visit(line) for each of its lines (the header not included),
// until visit returns true. Returns true when the section exists; header receives its header line (or stays empty
// for the section without a name, which always exists and begins at the start of the file).
template <typename Visit>
bool ForEachLineOfSection(std::string_view file, std::string_view section, Visit visit, Line* header = nullptr)
{
    bool inside = section.empty();  // the lines before the first header form the section without a name
    bool found = inside;
    for (std::size_t pos = 0; pos < file.size();) {
        const Line line = ReadLine(file, pos);
        pos = line.next;
        if (line.kind == LineKind::Section) {
            if (found) return true;  // the first section of the name has ended
            if (SameName(line.name, section)) {
                inside = found = true;
                if (header) *header = line;
            }
            continue;
        }
        if (inside && visit(line)) return true;
    }
    return found;
}

}  // namespace

bool IsProfileBlank(unsigned char b) { return (b >= 0x09 && b <= 0x0D) || b == 0x1A || b == 0x20; }

std::optional<std::string_view> FindProfileValue(std::string_view file, std::string_view section,
                                                  std::string_view key)
{
    section = Trim(section);
    key = Trim(key);
    std::optional<std::string_view> value;
    ForEachLineOfSection(file, section, [&](const Line& line) {
        if (line.kind != LineKind::Entry || !SameName(line.name, key)) return false;
        if (line.hasValue) value = line.value;
        return true;  // the first entry of the name decides, with or without a value
    });
    return value;
}

std::string_view ValueWithoutQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view CutToWholeCharacters(std::string_view value, std::size_t maxBytes)
{
    if (value.size() <= maxBytes) return value;
    std::size_t end = 0;
    while (end < maxBytes) {
        const std::size_t length = CharLength(value, end);
        if (end + length > maxBytes) break;
        end += length;
    }
    return value.substr(0, end);
}

std::size_t CountProfileKeys(std::string_view file, std::string_view section)
{
    std::size_t count = 0;
    ForEachLineOfSection(file, Trim(section), [&](const Line& line) {
        if (line.kind == LineKind::Entry && line.hasValue && line.name.substr(0, 1) != ";") ++count;
        return false;
    });
    return count;
}

std::optional<std::string> SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                                           std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    Line header;
    std::optional<Line> entry;
    std::optional<Line> lastOfSection;  // the section's last line that is not blank
    const bool sectionFound = ForEachLineOfSection(
        file, section,
        [&](const Line& line) {
            if (line.kind == LineKind::Blank) return false;
            lastOfSection = line;
            if (!SameName(line.name, key)) return false;
            entry = line;
            return true;
        },
        &header);

    std::string result;
    result.reserve(file.size() + section.size() + key.size() + value.size() + 8);
    if (entry) {
        if (entry->hasValue && entry->value == value) return std::nullopt;
        result.append(file.substr(0, entry->begin));
        result.append(entry->name).append("=").append(value);
        if (entry->next == entry->end) {
            result.append("\r\n");  // the last line of a file without a final line break
        } else {
            result.append(file.substr(entry->end));
        }
        return result;
    }

    const std::string newLine = std::string(key) + "=" + std::string(value) + "\r\n";
    if (sectionFound) {
        const Line* after = lastOfSection ? &*lastOfSection : (section.empty() ? nullptr : &header);
        if (!after) return newLine + std::string(file);  // the section without a name has no line yet
        const std::size_t at = FirstBreakEnd(file, *after);
        result.append(file.substr(0, at));
        if (at == after->end) result.append("\r\n");
        result.append(newLine);
        result.append(file.substr(at));
        return result;
    }

    result.append(file);
    if (!result.empty() && !IsLineBreak(result.back())) result.append("\r\n");
    result.append("[").append(section).append("]\r\n").append(newLine);
    return result;
}

}  // namespace settings
