#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// A literal with embedded NUL bytes as a whole string.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

struct FindCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(SettingsText, FindsValuesByTheFormatRules) {
    const FindCase cases[] = {
        {"plain CRLF", "[S]\r\nK=v\r\n", "S", "K", "v"},
        {"LF only", "[S]\nK=v\n", "S", "K", "v"},
        {"last line without line end", "[S]\r\nK=v", "S", "K", "v"},
        {"case of names", "[main SETTINGS]\r\nshowtape=2\r\n", "Main Settings", "ShowTape", "2"},
        {"Windows-1252 letters fold", "[\xC9t\xE9]\r\n\xC6=1\r\n", "\xE9T\xC9", "\xE6", "1"},
        {"blanks trimmed", "  [ S ]  \r\n\t K \t=  v w \t\r\n", "S", "K", "v w"},
        {"stray CR trimmed", "[S]\r\nK=v\r\r\n", "S", "K", "v"},
        {"requested names trimmed", "[S]\r\nK=v\r\n", " S ", " K ", "v"},
        {"empty value is a value", "[S]\r\nK=\r\n", "S", "K", ""},
        {"value holds '='", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
        {"missing key", "[S]\r\nA=1\r\n", "S", "K", std::nullopt},
        {"missing section", "[T]\r\nK=1\r\n", "S", "K", std::nullopt},
        {"key of another section", "[S]\r\nA=1\r\n[T]\r\nK=1\r\n", "S", "K", std::nullopt},
        {"key before any section", "K=1\r\n[S]\r\n", "S", "K", std::nullopt},
        {"comment is no key", "[S]\r\n;K=1\r\n", "S", "K", std::nullopt},
        {"first duplicate key", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "1"},
        {"only first duplicate section", "[S]\r\nA=1\r\n[S]\r\nK=2\r\n", "S", "K", std::nullopt},
        {"header is up to first ]", "[S] ; note ]\r\nK=1\r\n", "S", "K", "1"},
        {"lone [ is not a header", "[S]\r\n[\r\nK=1\r\n", "S", "K", "1"},
        {"empty key never found", "[S]\r\n=1\r\n", "S", "", std::nullopt},
        {"empty section never found", "[]\r\nK=1\r\n", "", "K", std::nullopt},
        {"UTF-8 mark before the first header", "\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K", "v"},
        {"UTF-8 mark only at the very start", "[T]\r\n\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K",
         std::nullopt},
        {"NUL and high bytes around", Bytes("\0\xFF\r\n[S]\r\nK=\x80\0x\r\n"), "S", "K",
         Bytes("\x80\0x")},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(FindProfileValue(c.text, c.section, c.key), c.expected) << c.name;
}

struct EditCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST(SettingsText, WritesKeysWhereTheyBelong) {
    const EditCase cases[] = {
        {"new file", "", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"replace in place", "[S]\r\nA=1\r\nK=old\r\nB=2\r\n", "S", "K", "new",
         "[S]\r\nA=1\r\nK=new\r\nB=2\r\n"},
        {"replace keeps the line's own LF", "[S]\nK=old\nB=2\n", "S", "K", "new",
         "[S]\nK=new\nB=2\n"},
        {"replace last line without end", "[S]\r\nK=old", "S", "K", "new", "[S]\r\nK=new"},
        {"replace matches case, writes caller's name", "[s]\r\n  k = old \r\n", "S", "K", "x",
         "[s]\r\nK=x\r\n"},
        {"first duplicate changed", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "3",
         "[S]\r\nK=3\r\nK=2\r\n"},
        {"added after the section's last key", "[S]\r\nA=1\r\n\r\n;next\r\n[T]\r\nB=2\r\n", "S",
         "K", "v", "[S]\r\nA=1\r\nK=v\r\n\r\n;next\r\n[T]\r\nB=2\r\n"},
        {"added after a bare header", "[S]\r\n[T]\r\n", "S", "K", "v", "[S]\r\nK=v\r\n[T]\r\n"},
        {"added after a last key without line end", "[S]\r\nA=1", "S", "K", "v",
         "[S]\r\nA=1\r\nK=v\r\n"},
        {"new section at the end", "[T]\r\nA=1\r\n\r\n", "S", "K", "v",
         "[T]\r\nA=1\r\n\r\n[S]\r\nK=v\r\n"},
        {"new section after missing line end", "[T]\r\nA=1", "S", "K", "v",
         "[T]\r\nA=1\r\n[S]\r\nK=v\r\n"},
        {"keys before any section untouched", "K=1\r\n", "S", "K", "v", "K=1\r\n[S]\r\nK=v\r\n"},
        {"line breaks in a value become blanks", "", "S", "K", "a\r\nb\nc", "[S]\r\nK=a  b c\r\n"},
        {"empty value removes the key", "[S]\r\nA=1\r\nK=v\r\nB=2", "S", "K", "",
         "[S]\r\nA=1\r\nB=2"},
        {"removal takes every duplicate of the first section",
         "[S]\r\nK=1\r\nk=2\r\n[S]\r\nK=3\r\n", "S", "K", "", "[S]\r\n[S]\r\nK=3\r\n"},
        {"removing a missing key changes nothing", "[S]\r\nA=1\r\n", "S", "K", "",
         "[S]\r\nA=1\r\n"},
        {"removing the last line", "[S]\r\nA=1\r\nK=1", "S", "K", "", "[S]\r\nA=1\r\n"},
        {"section after a UTF-8 mark takes the key", "\xEF\xBB\xBF[S]\r\nA=1\r\n", "S", "K", "v",
         "\xEF\xBB\xBF[S]\r\nA=1\r\nK=v\r\n"},
        {"the same line again changes nothing", "[S]\r\nK=1\r\n", "S", "K", "1", "[S]\r\nK=1\r\n"},
        {"the same value in other spacing is rewritten", "[S]\r\n K = 1\r\n", "S", "K", "1",
         "[S]\r\nK=1\r\n"},
        {"key after a UTF-8 mark replaced in place", "\xEF\xBB\xBF[S]\r\nK=1\r\n", "s", "k", "2",
         "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
    };
    for (const EditCase& c : cases) {
        EXPECT_EQ(SetProfileValue(c.before, c.section, c.key, c.value), c.after) << c.name;
        // The in-place edit gives the same bytes and says whether it changed them.
        std::string edited = c.before;
        bool changed = ChangeProfileValue(edited, c.section, c.key, c.value);
        EXPECT_EQ(edited, c.after) << c.name;
        EXPECT_EQ(changed, c.after != std::string(c.before)) << c.name;
    }
}

TEST(SettingsText, RemovesWholeSections) {
    const EditCase cases[] = {
        {"middle section with its comments", "[A]\r\nX=1\r\n[S]\r\nK=1\r\n;c\r\n\r\n[B]\r\nY=2\r\n",
         "s", "", "", "[A]\r\nX=1\r\n[B]\r\nY=2\r\n"},
        {"last section", "[A]\r\nX=1\r\n[S]\r\nK=1", "S", "", "", "[A]\r\nX=1\r\n"},
        {"every duplicate", "[S]\r\nK=1\r\n[A]\r\n[ S ]\r\nK=2\r\n", "S", "", "", "[A]\r\n"},
        {"lines before any section stay", "K=1\r\n[S]\r\nK=2\r\n", "S", "", "", "K=1\r\n"},
        {"missing section", "[A]\nX=1", "S", "", "", "[A]\nX=1"},
        {"first section after a UTF-8 mark keeps the mark", "\xEF\xBB\xBF[S]\r\nK=1\r\n[A]\r\n",
         "S", "", "", "\xEF\xBB\xBF[A]\r\n"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(RemoveProfileSection(c.before, c.section), c.after) << c.name;
}

TEST(SettingsText, KeepsEveryUntouchedLineByteForByte) {
    const std::string head = Bytes("\xEF\xBB\xBFjunk \0\x01\xFF line\n") +
                             ";comment=1\r\n"
                             "odd line without equals\r\n"
                             "[\r\n"
                             "[Unknown]\r\n"
                             "  weird == value  \r\n"
                             "[Main Settings]\n"
                             "TaxRate = 8.250\r\n";
    const std::string tail = "  ; trailing comment\r\n\r\n[Memory]\r\nM1=5";
    const std::string text = head + tail;
    EXPECT_EQ(SetProfileValue(text, "Main Settings", "ShowTape", "1"),
              head + "ShowTape=1\r\n" + tail);
    EXPECT_EQ(SetProfileValue(text, "Unknown", "weird", "x"),
              std::string(head).replace(head.find("  weird"), 20, "weird=x\r\n") + tail);
    EXPECT_EQ(SetProfileValue(text, "Loan Settings", "A", "1"),
              text + "\r\n[Loan Settings]\r\nA=1\r\n");
    EXPECT_EQ(RemoveProfileSection(text, "Memory"), head + "  ; trailing comment\r\n\r\n");
}

TEST(SettingsText, HandlesOneHugeLine) {
    const std::string huge(4 * 1024 * 1024, 'x');
    const std::string text = "[S]\r\nK=" + huge + "\r\n" + huge + "\r\n";
    EXPECT_EQ(FindProfileValue(text, "S", "K"), huge);
    EXPECT_EQ(SetProfileValue(text, "S", "N", "1"),
              "[S]\r\nK=" + huge + "\r\nN=1\r\n" + huge + "\r\n");
}

TEST(SettingsText, TellsWhichNamesTheFormatCanHold) {
    struct NameCase {
        const char* name;
        bool section;
        bool key;
    };
    const NameCase cases[] = {
        {"Main Settings", true, true}, {" padded ", true, true}, {"", false, false},
        {"   ", false, false},         {"a]b", false, true},     {"a=b", true, false},
        {"[a", true, false},           {";a", true, false},      {"a\nb", false, false},
        {"a\rb", false, false},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(IsWritableSectionName(c.name), c.section) << '"' << c.name << '"';
        EXPECT_EQ(IsWritableKeyName(c.name), c.key) << '"' << c.name << '"';
    }
}

}  // namespace
