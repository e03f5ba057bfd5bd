// Ids of the program's resources (ambrel.rc), shared by the resource script
// and the code that loads them.
#pragma once

// The program icon. It must stay the lowest icon id: the shell shows the
// first icon of a program file, and every window class takes resource 1 as
// the program's icon.
#define IDI_PROGRAM 1

// The editor's pictures, whose loader in the editor reads the same ids.
#include "editor/editor_image_ids.h"
