#include "engine/tape_lines.h"

void AppendTapeLine(Calculator& calc, const std::string& body, const std::string& marker) {
    calc.view->AddTapeLine(marker.empty() ? body : body + " " + marker);
}
