// The paper tape: appending lines, paper feed, clearing, the colour of a line, and
// Copy/Paste of the display.
#pragma once

#include <string>

#include "engine/calculator.h"
#include "engine/tape_lines.h"

void PaperFeed(Calculator& calc);
void ClearTape(Calculator& calc);
void CopyDisplay(Calculator& calc);
void PasteDisplay(Calculator& calc);

enum class TapeInk { Default, Red, Blue };
// The ink of an unselected tape line, chosen from its text alone.
TapeInk TapeLineInk(const std::string& line);
