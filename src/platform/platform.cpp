// Anchors the platform interfaces' vtables in the core library.
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/message_box.h"
