// Tooltips for texts that the main window shows cut: a status field ending in an
// ellipsis, a tape line wider than the tape. The tip shows the whole text and stays
// silent for texts that fit.
#pragma once

#include <windows.h>

// Creates the tooltip window shared by the tips below; it is destroyed with the last
// control it serves.
void CreateOverflowTips();

// A static field drawn with an end ellipsis: its tip is its whole window text.
void AttachFieldOverflowTip(HWND field);

// The owner-drawn tape list, whose lines end at TapeTextRightOf: the tip of a line that
// begins left of the list's edge is the whole line.
void AttachTapeLineTips(HWND tape);
