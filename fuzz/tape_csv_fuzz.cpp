// Any tape line (a loaded tape file may hold anything) becomes one CSV record that a
// strict RFC 4180 reader splits back into exactly its three fields: the text is the
// line itself in UTF-8, the mark is the line's last word, and the amount is a plain
// decimal that reads back as itself.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/number_text.h"
#include "fuzz_input.h"
#include "tape/tape_csv.h"

namespace {

// The fields of one record ended by CR LF; false when it is not well formed.
bool ReadRecord(const std::string& record, std::vector<std::string>& fields) {
    fields.assign(1, "");
    size_t i = 0;
    bool quoted = false, wasQuoted = false;
    while (i < record.size()) {
        char c = record[i];
        if (quoted) {
            if (c == '"' && i + 1 < record.size() && record[i + 1] == '"') {
                fields.back() += '"';
                i += 2;
                continue;
            }
            if (c == '"') {
                quoted = false;
                ++i;
                continue;
            }
            fields.back() += c;
            ++i;
            continue;
        }
        if (c == '"') {
            if (!fields.back().empty() || wasQuoted) return false;
            quoted = wasQuoted = true;
        } else if (c == ',') {
            fields.emplace_back();
            wasQuoted = false;
        } else if (c == '\r') {
            return i + 2 == record.size() && record[i + 1] == '\n';
        } else {
            if (wasQuoted || c == '\n') return false;
            fields.back() += c;
        }
        ++i;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const TapeNumbers numbers = static_cast<TapeNumbers>(in.Byte() % 4);
    const std::string line = in.Rest();
    const TapeCsvRow row = SplitTapeLine(line, numbers);
    FUZZ_CHECK(row.text == line, "the text column is the line");
    FUZZ_CHECK(row.mark.empty() || (line.size() > row.mark.size() &&
                                    line.compare(line.size() - row.mark.size() - 1,
                                                 row.mark.size() + 1, " " + row.mark) == 0),
               "the mark is the line's last word");
    if (!row.amount.empty())
        FUZZ_CHECK(ValueText(ParseNumber(row.amount), 18) == row.amount,
                   "the amount reads back as itself");

    std::vector<std::string> fields;
    FUZZ_CHECK(ReadRecord(CsvRecord(row), fields), "the record is well formed");
    FUZZ_CHECK(fields.size() == 3, "the record has three fields");
    FUZZ_CHECK(fields[0] == Cp1252ToUtf8(row.amount) && fields[1] == Cp1252ToUtf8(row.mark) &&
                   fields[2] == Cp1252ToUtf8(line),
               "the fields read back as written");
    return 0;
}
