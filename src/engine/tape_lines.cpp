#include "engine/tape_lines.h"

void AppendTapeLine(Calculator& calc, const std::string& body, const std::string& marker) {
    calc.view->AddTapeLine(marker.empty() ? body : body + " " + marker);
}

bool IsCalculationLine(const std::string& line) {
    auto endsWith = [&](const std::string& tail) {
        return line.size() >= tail.size() &&
               line.compare(line.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (line == "Clear") return true;
    for (const char* mark : {" =", " +", " -", " \xD7", " \xF7", "  ", " %", " Tx", " CH"})
        if (endsWith(mark)) return true;
    return false;
}
