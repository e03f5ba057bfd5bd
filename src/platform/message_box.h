// Modal messages and the two sounds. Every user-facing error goes through
// ErrorBox, which plays the fault sound first.
#pragma once

#include <string_view>

namespace ambrel {

enum class MsgType { kWarning, kError, kInformation, kConfirmation };

// Buttons as a bit set.
enum MsgButtons : unsigned {
  kBtnYes = 1, kBtnNo = 2, kBtnOk = 4, kBtnCancel = 8, kBtnHelp = 16,
};

enum class MsgResult { kYes, kNo, kOk, kCancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult ShowMsgDlg(std::string_view text, MsgType type, unsigned buttons,
                               int helpContext) = 0;
  virtual void PlayFaultSound() = 0;
  virtual void PlayRightSound() = 0;
  // The beep that comes before a question about deleting data.
  virtual void PlayQuestionSound() {}

  void ErrorBox(std::string_view text, int helpContext) {
    PlayFaultSound();
    ShowMsgDlg(text, MsgType::kError, kBtnOk | (helpContext != 0 ? kBtnHelp : 0u), helpContext);
  }
};

}  // namespace ambrel
