// Message boxes and sounds of the program on Win32.
#pragma once

#include <windows.h>

#include <string>

#include "platform/message_box.h"
#include "platform/open_dialogs.h"

namespace ambrel::win32 {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // Every box counts in openDialogs (when given) while it is shown.
  Win32MessageBoxes(std::string programFolder, OpenDialogs* openDialogs)
      : folder_(std::move(programFolder)), openDialogs_(openDialogs) {}

  MsgResult ShowMsgDlg(std::string_view text, MsgType type, unsigned buttons,
                       int helpContext) override;
  void PlayFaultSound() override { PlayWave("FaultSnd.Wav", MB_ICONHAND); }
  void PlayRightSound() override { PlayWave("RightSnd.Wav", MB_OK); }
  void PlayQuestionSound() override { MessageBeep(MB_ICONQUESTION); }

 private:
  void PlayWave(const char* file, UINT beep);
  std::string folder_;
  OpenDialogs* openDialogs_;
};

}  // namespace ambrel::win32
