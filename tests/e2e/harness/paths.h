// Where the programs under test live.
#pragma once

#include <string>

namespace ambrel::e2e {

// Folder of the running test program, without a trailing backslash. The
// build puts Ambrel.exe, Tesk.dll and the fixture programs beside it.
std::string ExeFolder();

// `name` in ExeFolder().
std::string BesideExe(const std::string& name);

// `name` in the Windows folder (notepad.exe, regedit.exe live there).
std::string WindowsProgram(const std::string& name);

bool FileExists(const std::string& path);

// `path` in double quotes, for a command line.
std::string Quoted(const std::string& path);

}  // namespace ambrel::e2e
