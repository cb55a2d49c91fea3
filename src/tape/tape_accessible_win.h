// The tape as screen readers and other accessibility clients see it: a list whose
// items are the tape's lines, each named by its text as shown, with its place on
// the screen. The list box's own proxy would tell the same where the platform has
// one; here the answers do not depend on it.
#pragma once

#include <windows.h>

// Answers WM_GETOBJECT for the tape list: a query for its client object gets the
// list's accessible object (a positive result to return from the window procedure);
// any other query, or a failure, gives 0: pass the message on then.
LRESULT AnswerTapeObjectQuery(HWND tape, WPARAM wParam, LPARAM lParam);
