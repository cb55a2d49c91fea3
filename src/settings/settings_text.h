// The profile format as text: "[section]" lines, each followed by key=value lines.
// These functions read and edit the text of a settings file; every line they do
// not change comes out byte for byte as it went in.
//
// Rules of the format as this program reads it:
// - Lines end in LF or CR LF; new lines are written with CR LF. A UTF-8 mark
//   (EF BB BF) at the very start of the text is skipped and kept.
// - Section and key names match without regard to letter case (ASCII and the
//   letters of Windows-1252); blanks and tabs around names and values are ignored.
// - A section header is a line that begins (after blanks) with "[" and holds a
//   "]"; its name is what lies between "[" and the first "]".
// - A key line holds "="; lines beginning with ";" are comments. Every other line
//   (blank, odd, binary) is kept but means nothing. Keys before the first header
//   belong to no section and are never found.
// - When a section or a key appears more than once, the first one counts: reads
//   look only in the first section of that name and take its first matching key,
//   writes change that key. A removed key disappears from that whole section, and
//   a removed section disappears with all its duplicates.
#pragma once

#include <optional>
#include <string>

// The value of `key` in `section`, or nothing when either is missing.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);

// Names that can be written without breaking the format: not empty after trimming,
// no line breaks; a section name holds no "]", a key name no "=" and does not
// begin with "[" or ";".
bool IsWritableSectionName(const std::string& section);
bool IsWritableKeyName(const std::string& key);

// `text` with key=value stored (replacing the key's line in place, or added after
// the last key of its section, or in a new section at the end), or with the key
// removed when `value` is empty. Line breaks inside `value` become blanks so that
// a value can never add lines. The names must be writable.
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

// SetProfileValue done on `text` itself: the same bytes come out, but a key that
// already holds exactly this line costs a search only, not a copy of the text.
// Returns whether `text` changed.
bool ChangeProfileValue(std::string& text, const std::string& section, const std::string& key,
                        const std::string& value);

// `text` without the section: its header and every line up to the next header.
std::string RemoveProfileSection(const std::string& text, const std::string& section);
