// Ids of the program's resources (ambrel.rc), shared by the resource script
// and the code that loads them.
#pragma once

// The program icon. It must stay the lowest icon id: the shell shows the
// first icon of a program file, and every window class takes resource 1 as
// the program's icon.
#define IDI_PROGRAM 1

// The editor's pictures (resources/make_images.sh): strips of 12 images on
// magenta, one strip per size. The tool images of 20, 30 and 40 pixels.
#define IDB_TOOLS_20 200
#define IDB_TOOLS_30 201
#define IDB_TOOLS_40 202
// The tree icons (one per menu slot) of 16, 24 and 32 pixels.
#define IDB_TREE_16 210
#define IDB_TREE_24 211
#define IDB_TREE_32 212
