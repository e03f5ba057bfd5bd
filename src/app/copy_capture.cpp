#include "app/copy_capture.h"

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/message_box.h"
#include "usermenu/distribution.h"

namespace ambrel::app {
namespace {

Copy ReadCopy(Clipboard& clipboard) {
  const std::unique_ptr<ClipboardReading> reading = clipboard.OpenForReading();
  if (!reading || reading->AsksNotToRecord()) return {};
  std::optional<BoundedText> text = reading->Text(kMaxClipBytes);
  // A program that writes the text first and its mark after, or renders its
  // text only when asked, may have added the mark meanwhile.
  if (!text || reading->AsksNotToRecord()) return {};
  if (text->tooLarge) return {CopyVerdict::kTooLarge, {}, {}};
  return {CopyVerdict::kRecord, std::move(text->text), std::move(text->original)};
}

}  // namespace

Copy TakeCopy(Clipboard& clipboard) {
  const std::uint32_t before = clipboard.SequenceNumber();
  Copy copy = ReadCopy(clipboard);
  // Another copy landed between the notification and the reading: what was
  // read may be its text without the marks it got afterwards. Its own
  // notification follows and decides it.
  if (clipboard.SequenceNumber() != before) return {};
  return copy;
}

void ClipboardCapture::ClipboardChanged() {
  if (!settings_.DataSave()) return;
  Copy copy = TakeCopy(clipboard_);
  if (copy.verdict == CopyVerdict::kTooLarge) messages_.PlayFaultSound();
  if (copy.verdict != CopyVerdict::kRecord) return;
  // The texts are moved into the clip (a copy of up to 4 MiB and its
  // original would be copied again on the UI thread); the user menus then
  // read the added clip's own text (an added clip is the current page).
  if (store_.AddClip(store_.Layout().History(), clipstore::kHistorySlot, true, std::move(copy.text),
                     std::move(copy.original))) {
    distributor_.DistributeClip(store_.Page(store_.CurrentPage()).text);
  }
}

}  // namespace ambrel::app
