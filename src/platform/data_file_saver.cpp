#include "platform/data_file_saver.h"

#include <cstdio>
#include <utility>

#include "help_contexts.h"

namespace ambrel {
namespace {

const char kUnreadable[] = "次のファイルを読み込めませんでした(他のプログラムが使用中か、読み取れない状態です):\r\n";
const char kLeftAlone[] =
    "\r\nこのファイルは次の起動まで書き換えません。この回の内容は次の名前で保存します:\r\n";
const char kRetry[] =
    "\r\nこの回の内容は保持し、後でもう一度保存します。"
    "フォルダに書き込めるか、ほかのプログラムがファイルを使っていないか、ディスクの空きを確かめてください。";
const char kLost[] =
    "\r\n終了時の保存にも失敗しました。元のファイルはそのまま残っています。"
    "フォルダに書き込めるか、ディスクの空きを確かめてください。";

}  // namespace

DataFileSaver::DataFileSaver(Files& files, MessageBoxes& messages, Clock& clock, std::string path,
                             SaveFailureNotice failure)
    : files_(files), messages_(messages), clock_(clock), path_(std::move(path)), failure_(failure) {}

void DataFileSaver::Block() {
  if (blocked_) return;
  beside_ = AsideName("unsaved");
  blocked_ = true;
  messages_.ErrorBox(kUnreadable + path_ + kLeftAlone + beside_, kHelpDataFileUnreadable);
}

bool DataFileSaver::Save(std::string_view bytes, SaveMoment moment) {
  return Written(files_.WriteReplacing(Target(), bytes), moment);
}

bool DataFileSaver::Written(bool written, SaveMoment moment) {
  if (!written) return Failed({}, moment);
  lastFailed_ = false;
  return true;
}

bool DataFileSaver::Refuse(std::string_view reason, SaveMoment moment) {
  return Failed(reason, moment);
}

bool DataFileSaver::Failed(std::string_view reason, SaveMoment moment) {
  lastFailed_ = true;
  if (told_ && moment == SaveMoment::kRunning) return false;
  told_ = true;
  std::string text(failure_.text);
  if (!reason.empty()) text.append("\r\n").append(reason);
  text.append("\r\n").append(Target());
  text.append(moment == SaveMoment::kExit ? kLost : kRetry);
  messages_.ErrorBox(text, failure_.helpContext);
  return false;
}

std::string DataFileSaver::AsideName(std::string_view tag) {
  const LocalTime now = clock_.Now();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  const std::string base = path_ + "." + std::string(tag) + stamp;
  std::string name = base;
  for (int n = 2; files_.Exists(name); ++n) name = base + "-" + std::to_string(n);
  return name;
}

}  // namespace ambrel
