// What the user is told when the handler of one message failed (see
// platform/fault_barrier_win32.h): the work in hand was given up, the clips
// are kept; and when a print failed.
#pragma once

namespace ambrel::app {

inline constexpr const char* kFaultMessage =
    "内部エラーのため、実行中の操作を中止しました。\r\n"
    "記録済みのクリップは失われていません。念のため Ambrel を終了して起動し直してください。";

// A print that failed: the printer's name and the system's reason follow.
inline constexpr const char* kPrintFailedMessage = "印刷できませんでした。\r\nプリンタ: ";

}  // namespace ambrel::app
