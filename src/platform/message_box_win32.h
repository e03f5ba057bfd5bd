// Message boxes and sounds of the program on Win32.
#pragma once

#include <windows.h>

#include <string>

#include "platform/message_box.h"

namespace ambrel::win32 {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // modalHandle receives the open box's window while it is shown, 0 after.
  Win32MessageBoxes(std::string programFolder, LONG_PTR* modalHandle)
      : folder_(std::move(programFolder)), modalHandle_(modalHandle) {}

  MsgResult ShowMsgDlg(std::string_view text, MsgType type, unsigned buttons,
                       int helpContext) override;
  void PlayFaultSound() override { PlayWave("FaultSnd.Wav", MB_ICONHAND); }
  void PlayRightSound() override { PlayWave("RightSnd.Wav", MB_OK); }
  void PlayQuestionSound() override { MessageBeep(MB_ICONQUESTION); }

 private:
  void PlayWave(const char* file, UINT beep);
  std::string folder_;
  LONG_PTR* modalHandle_;
};

}  // namespace ambrel::win32
