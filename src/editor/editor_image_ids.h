// Resource ids of the editor's pictures (app/resources/make_images.sh):
// strips of 12 images on magenta, one strip per size. Plain defines, read
// by the resource script too.
#pragma once

// The tool images of 20, 30 and 40 pixels.
#define IDB_TOOLS_20 200
#define IDB_TOOLS_30 201
#define IDB_TOOLS_40 202
// The tree icons (one per menu slot) of 16, 24 and 32 pixels.
#define IDB_TREE_16 210
#define IDB_TREE_24 211
#define IDB_TREE_32 212
