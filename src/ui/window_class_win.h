// Registration of the program's own window classes.
#pragma once

#include <windows.h>

// Registers `name` once with the program icon, the arrow cursor and the dialog face
// colour, as the tool and dialog windows use them; true when it is registered.
bool RegisterProgramWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);
