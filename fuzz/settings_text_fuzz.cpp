// The settings writer: after any write or removal, every line the change does not touch
// is still there byte for byte and in order, and the key reads back as written.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_input.h"
#include "settings/settings_text.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size() - 1;
        // Compared without their line ends: a last line without one gets one when a
        // line is added after it.
        std::string line = text.substr(start, end + 1 - start);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string Trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// Whether every line of `before` but those of `key` lines (named alike without regard
// to case) appears in `after` in the same order.
bool KeepsOtherLines(const std::string& before, const std::string& after, const std::string& key) {
    std::vector<std::string> a = Lines(before), b = Lines(after);
    size_t j = 0;
    for (const std::string& line : a) {
        size_t eq = line.find('=');
        std::string name = eq == std::string::npos ? "" : Trimmed(line.substr(0, eq));
        bool maybeKey = eq != std::string::npos && name.size() == Trimmed(key).size();
        if (maybeKey) continue;  // the written key's own line may change or go
        while (j < b.size() && b[j] != line) ++j;
        if (j == b.size()) return false;
        ++j;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    std::string section = in.Text(12);
    std::string key = in.Text(12);
    std::string value = in.Text(40);
    bool removeSection = in.Byte() % 8 == 0;
    std::string text = in.Rest();
    if (!IsWritableSectionName(section)) return 0;
    if (removeSection) {
        std::string after = RemoveProfileSection(text, section);
        FUZZ_CHECK(after.size() <= text.size(), "removal only removes");
        FUZZ_CHECK(!FindProfileValue(after, section, key).has_value(), "section gone");
        return 0;
    }
    if (!IsWritableKeyName(key)) return 0;
    std::string after = SetProfileValue(text, section, key, value);
    FUZZ_CHECK(KeepsOtherLines(text, after, key), "untouched lines kept in order");
    std::optional<std::string> read = FindProfileValue(after, section, key);
    std::string flat = value;
    for (char& c : flat)
        if (c == '\r' || c == '\n') c = ' ';
    if (value.empty()) {
        FUZZ_CHECK(!read.has_value(), "an empty value removes the key");
    } else {
        FUZZ_CHECK(read.has_value() && *read == Trimmed(flat), "the value reads back");
    }
    return 0;
}
