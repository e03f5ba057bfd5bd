// The program's version, in the one form that both the C++ sources and the
// resource compiler read: plain #defines. 1.20 is shown as "Ver 1.20".
#pragma once

#define AMBREL_VERSION_MAJOR 1
#define AMBREL_VERSION_MINOR 20  // two digits: 1.20

#define AMBREL_STRINGIZE_(x) #x
#define AMBREL_STRINGIZE(x) AMBREL_STRINGIZE_(x)
#define AMBREL_VERSION_TEXT \
  AMBREL_STRINGIZE(AMBREL_VERSION_MAJOR) "." AMBREL_STRINGIZE(AMBREL_VERSION_MINOR)
