// Resource names shared by the resource script and the program.
#pragma once

#define IMAGE_CALCULATOR3 101
#define IMAGE_GENERAL 102
#define IMAGE_SHELL32_24 103
#define IMAGE_TOP 104
#define FORM1_TOPMENU 200
#define IDM_KEEP_TAPE 6030
