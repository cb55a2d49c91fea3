#include "settings/settings_text.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace {

constexpr char kLineEnd[] = "\r\n";

// Editors that save "UTF-8" put this mark before the first line; the system's own
// profile reader skips it, so a file saved that way keeps its first section.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWithUtf8Mark(const std::string& text) {
    return text.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0;
}

// One line of the text by offsets; `end` includes the line end, `contentEnd`
// excludes it. The last line may have no line end (contentEnd == end).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

bool NextLine(const std::string& text, std::size_t& pos, Line& line) {
    if (pos >= text.size()) return false;
    line.begin = pos;
    std::size_t feed = text.find('\n', pos);
    if (feed == std::string::npos) {
        line.contentEnd = line.end = text.size();
    } else {
        line.end = feed + 1;
        line.contentEnd = (feed > pos && text[feed - 1] == '\r') ? feed - 1 : feed;
    }
    pos = line.end;
    return true;
}

// A stray CR (as in CR CR LF) counts as a blank too.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Lower case of ASCII and of the Windows-1252 letters that have a case pair.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;  // S with caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z with caron
        case 0x9F:
            return 0xFF;  // Y with diaeresis
        default:
            return c;
    }
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

enum class LineKind { kOther, kSection, kKey };

struct LineMeaning {
    LineKind kind = LineKind::kOther;
    std::string_view name;
    std::string_view value;
};

LineMeaning Classify(const std::string& text, const Line& line) {
    std::string_view s(text.data() + line.begin, line.contentEnd - line.begin);
    if (line.begin == 0 && StartsWithUtf8Mark(text)) s.remove_prefix(kUtf8Mark.size());
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    if (s.empty() || s.front() == ';') return {};
    if (s.front() == '[') {
        std::size_t close = s.find(']');
        if (close == std::string_view::npos) return {};
        return {LineKind::kSection, Trim(s.substr(1, close - 1)), {}};
    }
    std::size_t equals = s.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineKind::kKey, Trim(s.substr(0, equals)), Trim(s.substr(equals + 1))};
}

// Where a key of the first section of a name stands, and where a new key would go.
struct SectionSearch {
    bool sectionFound = false;
    bool keyFound = false;
    Line key;        // the first line of the key
    Line lastEntry;  // the section's last key line, or its header when it has none
};

SectionSearch Search(const std::string& text, std::string_view section, std::string_view key) {
    SectionSearch found;
    std::size_t pos = 0;
    Line line;
    while (NextLine(text, pos, line)) {
        LineMeaning meaning = Classify(text, line);
        if (meaning.kind == LineKind::kSection) {
            if (found.sectionFound) break;
            if (SameName(meaning.name, section)) {
                found.sectionFound = true;
                found.lastEntry = line;
            }
        } else if (meaning.kind == LineKind::kKey && found.sectionFound) {
            found.lastEntry = line;
            if (!found.keyFound && SameName(meaning.name, key)) {
                found.keyFound = true;
                found.key = line;
            }
        }
    }
    return found;
}

std::string WithoutLineBreaks(const std::string& value) {
    std::string clean = value;
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    return clean;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Every line of the first section named `section` whose key is `key` left out.
std::string RemoveKey(const std::string& text, std::string_view section, std::string_view key) {
    std::string out;
    out.reserve(text.size());
    bool inSection = false;
    bool sectionSeen = false;
    std::size_t pos = 0;
    Line line;
    while (NextLine(text, pos, line)) {
        LineMeaning meaning = Classify(text, line);
        if (meaning.kind == LineKind::kSection) {
            inSection = !sectionSeen && SameName(meaning.name, section);
            sectionSeen = sectionSeen || inSection;
        }
        bool drop = inSection && meaning.kind == LineKind::kKey && SameName(meaning.name, key);
        if (!drop) out.append(text, line.begin, line.end - line.begin);
    }
    return out;
}

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key) {
    std::string_view wantSection = Trim(section);
    std::string_view wantKey = Trim(key);
    if (wantSection.empty() || wantKey.empty()) return std::nullopt;
    SectionSearch found = Search(text, wantSection, wantKey);
    if (!found.keyFound) return std::nullopt;
    return std::string(Classify(text, found.key).value);
}

bool IsWritableSectionName(const std::string& section) {
    std::string_view name = Trim(section);
    return !name.empty() && !HasLineBreak(name) && name.find(']') == std::string_view::npos;
}

bool IsWritableKeyName(const std::string& key) {
    std::string_view name = Trim(key);
    return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos &&
           name.front() != '[' && name.front() != ';';
}

std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value) {
    std::string_view wantSection = Trim(section);
    std::string_view wantKey = Trim(key);
    if (value.empty()) return RemoveKey(text, wantSection, wantKey);

    std::string entry(wantKey);
    entry += '=';
    entry += WithoutLineBreaks(value);

    SectionSearch found = Search(text, wantSection, wantKey);
    std::string out;
    if (found.keyFound) {
        // The line keeps its own line end (or none, as the last line).
        out.assign(text, 0, found.key.begin);
        out += entry;
        out.append(text, found.key.contentEnd, std::string::npos);
    } else if (found.sectionFound) {
        const Line& after = found.lastEntry;
        out.assign(text, 0, after.end);
        if (after.contentEnd == after.end) out += kLineEnd;
        out += entry;
        out += kLineEnd;
        out.append(text, after.end, std::string::npos);
    } else {
        out = text;
        if (!out.empty() && out.back() != '\n') out += kLineEnd;
        out += '[';
        out += wantSection;
        out += ']';
        out += kLineEnd;
        out += entry;
        out += kLineEnd;
    }
    return out;
}

bool ChangeProfileValue(std::string& text, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::string_view wantSection = Trim(section);
    std::string_view wantKey = Trim(key);
    if (value.empty()) {
        std::string out = RemoveKey(text, wantSection, wantKey);
        if (out == text) return false;
        text = std::move(out);
        return true;
    }
    std::string entry(wantKey);
    entry += '=';
    entry += WithoutLineBreaks(value);

    SectionSearch found = Search(text, wantSection, wantKey);
    if (found.keyFound) {
        const std::size_t length = found.key.contentEnd - found.key.begin;
        if (length == entry.size() && text.compare(found.key.begin, length, entry) == 0)
            return false;
        text.replace(found.key.begin, length, entry);
    } else if (found.sectionFound) {
        const Line& after = found.lastEntry;
        std::string insert;
        if (after.contentEnd == after.end) insert += kLineEnd;
        insert += entry;
        insert += kLineEnd;
        text.insert(after.end, insert);
    } else {
        if (!text.empty() && text.back() != '\n') text += kLineEnd;
        text += '[';
        text += wantSection;
        text += ']';
        text += kLineEnd;
        text += entry;
        text += kLineEnd;
    }
    return true;
}

std::string RemoveProfileSection(const std::string& text, const std::string& section) {
    std::string_view wantSection = Trim(section);
    if (wantSection.empty()) return text;
    std::string out;
    out.reserve(text.size());
    bool dropping = false;
    std::size_t pos = 0;
    Line line;
    while (NextLine(text, pos, line)) {
        LineMeaning meaning = Classify(text, line);
        if (meaning.kind == LineKind::kSection) dropping = SameName(meaning.name, wantSection);
        if (!dropping)
            out.append(text, line.begin, line.end - line.begin);
        else if (line.begin == 0 && StartsWithUtf8Mark(text))
            out.append(kUtf8Mark);
    }
    return out;
}
