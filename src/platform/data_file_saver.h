// Where one data file's saves go and what the user hears about them. The
// decision is kept apart from the writing windows so that it holds for every
// caller (the idle save, the exit, the save worker's writes):
// - a file that start-up found but could not read (held open by another
//   program, an offline placeholder, a read error) is never written over in
//   that session; its saves go to a name beside it, which the user is told
//   once, at start-up;
// - a failed save is told once per session, naming the file and what to do,
//   and once more when the save at exit fails too.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace ambrel {

// Whether a save runs while the program goes on (told on the first failure
// only) or at exit (told whenever it fails).
enum class SaveMoment { kRunning, kExit };

// What the user is told when this file cannot be saved: the first line of
// the error box and its help context.
struct SaveFailureNotice {
  std::string_view text;
  int helpContext = 0;
};

class DataFileSaver {
 public:
  DataFileSaver(Files& files, MessageBoxes& messages, Clock& clock, std::string path,
                SaveFailureNotice failure);

  const std::string& Path() const { return path_; }
  // Where the next save goes: the path, or the name beside it once blocked.
  const std::string& Target() const { return blocked_ ? beside_ : path_; }
  bool Blocked() const { return blocked_; }
  bool LastSaveFailed() const { return lastFailed_; }

  // The file is there but was not read: it is left alone for the rest of the
  // session, the saves go to path + ".unsaved-<date>-<time>", and the error
  // box says both.
  void Block();

  // Writes bytes to Target(); false (and told, see above) when that fails.
  bool Save(std::string_view bytes, SaveMoment moment);
  // The outcome of a write of Target() made elsewhere (the save worker),
  // told as Save tells it; answers written.
  bool Written(bool written, SaveMoment moment);
  // A save that was refused before writing (the data is over what the loader
  // reads back): the old file stays, and the user is told as for a failure,
  // with the reason.
  bool Refuse(std::string_view reason, SaveMoment moment);

  // path + "." + tag + "-YYYYMMDD-HHMMSS", with "-2", "-3", ... added while
  // that name is taken: where a damaged file is kept aside ("damaged") and
  // where a blocked file's saves go ("unsaved").
  std::string AsideName(std::string_view tag);

 private:
  bool Failed(std::string_view reason, SaveMoment moment);

  Files& files_;
  MessageBoxes& messages_;
  Clock& clock_;
  std::string path_;
  SaveFailureNotice failure_;
  std::string beside_;
  bool blocked_ = false;
  bool told_ = false;
  bool lastFailed_ = false;
};

}  // namespace ambrel
