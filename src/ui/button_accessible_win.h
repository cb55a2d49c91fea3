// The keypad button as screen readers and other accessibility clients see it: a
// push button named by its caption, with the states and the "Press" action of a
// standard one. Everything else is the platform's standard object for the window.
#pragma once

#include <windows.h>

// Answers WM_GETOBJECT for a themed button. A query for the button's client object
// gets the accessible object (a positive result to return from the window
// procedure); any other query, or a failure, gives 0: pass the message on to
// DefWindowProc then.
//
// The object reads everything from the window itself: the caption (WM_GETTEXT),
// enabled, focus, and the pushed and hot bits of BM_GETSTATE; its default action
// posts BM_CLICK to the button.
LRESULT AnswerButtonObjectQuery(HWND button, WPARAM wParam, LPARAM lParam);

// Tell listening clients that the caption, or a state shown in the object's
// state (enabled, pushed or latched), has changed.
void NoteButtonNameChange(HWND button);
void NoteButtonStateChange(HWND button);
