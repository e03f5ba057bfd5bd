// Writes data files on a thread of its own, so that the UI thread never
// waits for a disk: the UI thread hands over the bytes of a consistent
// snapshot, the worker writes them with the crash-safe replace
// (Files::WriteReplacing) to where the file's saver says, and the outcome is
// told back on the UI thread (Deliver) through that saver, which shows any
// message. One thread, jobs in the order given; a newer save of a file that
// is still waiting replaces the older one, whose caller hears the newer
// one's outcome.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/data_file_saver.h"
#include "platform/files.h"

namespace ambrel {

class SaveWorker {
 public:
  // Runs on the UI thread with the save's outcome.
  using Done = std::function<void(bool saved)>;

  explicit SaveWorker(Files& files);
  // Writes whatever is still queued before the thread ends: a save handed
  // over is never dropped. Outcomes not yet delivered are not told.
  ~SaveWorker();
  SaveWorker(const SaveWorker&) = delete;
  SaveWorker& operator=(const SaveWorker&) = delete;

  // UI thread: queues bytes for saver's file (its target as it is now).
  void Submit(DataFileSaver& saver, std::string bytes, SaveMoment moment, Done done = {});
  // UI thread: tells the outcomes of the saves written since the last call
  // through their savers, then runs their Done.
  void Deliver();
  // Waits up to timeoutMs for every save handed over to be written; true
  // when none is left queued or being written.
  bool WaitUntilWritten(std::uint32_t timeoutMs);

 private:
  struct Job {
    DataFileSaver* saver = nullptr;
    std::string target;
    std::string bytes;
    SaveMoment moment = SaveMoment::kRunning;
    Done done;
    bool written = false;
  };
  void Run();

  Files& files_;
  std::mutex mutex_;
  std::condition_variable wake_;     // a job queued, or the end
  std::condition_variable written_;  // a job finished
  std::deque<Job> queued_;
  std::vector<Job> finished_;
  bool writing_ = false;
  bool stop_ = false;
  std::thread thread_;  // last: started once the rest is in place
};

}  // namespace ambrel
