#pragma once

namespace ambrel::win32 {

// Opens the help window at the topic of a context number (0: contents).
void OpenHelp(int context);

}  // namespace ambrel::win32
