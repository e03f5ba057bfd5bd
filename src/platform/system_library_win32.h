// Where the program's libraries come from. A library of a system name
// planted beside a portable copy (in a downloads folder, say) must never be
// loaded in place of the system's: system libraries come from the system
// folder only, and the program's own by full path from its folder.
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::win32 {

// Once, first thing in a process: every later load (the system's own loads
// on the program's behalf included) searches the system folder and the
// program's folder only, never the current folder or PATH. Without the call
// (Windows before 8 without its update) nothing changes.
void RestrictLibrarySearch();

// A library of the system, by file name ("riched20.dll"), from the system
// folder; null when it is not there.
HMODULE LoadSystemLibrary(const char* fileName);

// The rich edit's library (riched20.dll from the system folder), loaded once
// for the process; false when it is missing.
bool LoadRichEdit();

// A function of a loaded library, by name, as its type; null when the
// library is null or lacks it (a function newer than the running system).
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                 : nullptr;
}

// A library of the program's, by file name, from the folder of the running
// executable; null when it is not there.
HMODULE LoadProgramLibrary(const char* fileName);

}  // namespace ambrel::win32
