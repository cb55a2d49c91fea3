// The tape as a CSV file: one row per tape line with the line's amount, its mark and
// its text, in UTF-8 with a byte-order mark so that spreadsheets read "×" and "÷".
#pragma once

#include <functional>
#include <string>

#include "engine/calculator.h"

// The number system a stretch of tape lines was written in.
enum class TapeNumbers { Dec, Hex, Bin, Oct };

// The columns of one row, before quoting; code page 1252 as on the tape.
struct TapeCsvRow {
    std::string amount;  // the line's number as a plain decimal, "" when it has none
    std::string mark;    // the operator or marker at the line's end, "" when none
    std::string text;    // the line as the tape shows it
};

// Splits one tape line written in the system `numbers` into its columns.
TapeCsvRow SplitTapeLine(const std::string& line, TapeNumbers numbers);

// The system the lines after `line` are written in: a switch line ("(Hex)", "(Dec)"
// ...) names it, any other line leaves `current`.
TapeNumbers NumbersAfter(const std::string& line, TapeNumbers current);

// Windows-1252 text as UTF-8.
std::string Cp1252ToUtf8(const std::string& text);

// One field as RFC 4180 writes it: quoted, with its quotes doubled, when it holds a
// comma, a quote, a CR or an LF; otherwise unchanged.
std::string CsvField(const std::string& text);

// The row's three fields converted to UTF-8, quoted where needed, ended by CR LF.
std::string CsvRecord(const TapeCsvRow& row);

inline const std::string kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline const std::string kTapeCsvHeader = "Amount,Mark,Text\r\n";

// Receives the file's bytes in pieces; returning false stops the export (a failed write).
using CsvBytesSink = std::function<bool(const std::string& bytes)>;

// The whole file: the byte-order mark and the header row, then one row per tape line,
// oldest first. Returns false when the sink stopped it.
bool ComposeTapeCsv(const Calculator& calc, const CsvBytesSink& emit);
