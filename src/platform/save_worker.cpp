#include "platform/save_worker.h"

#include <algorithm>
#include <utility>

namespace ambrel {

SaveWorker::SaveWorker(Files& files) : files_(files), thread_([this] { Run(); }) {}

SaveWorker::~SaveWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void SaveWorker::Submit(DataFileSaver& saver, std::string bytes, SaveMoment moment, Done done) {
  Job job{&saver, saver.Target(), std::move(bytes), moment, std::move(done)};
  std::lock_guard<std::mutex> lock(mutex_);
  const auto older = std::find_if(queued_.begin(), queued_.end(),
                                  [&](const Job& queued) { return queued.saver == &saver; });
  if (older != queued_.end()) {
    // Not started yet: its bytes are out of date. Its caller waits for an
    // outcome all the same, and gets the newer save's.
    if (older->done) {
      job.done = [first = std::move(older->done), then = std::move(job.done)](bool saved) {
        first(saved);
        if (then) then(saved);
      };
    }
    queued_.erase(older);
  }
  queued_.push_back(std::move(job));
  wake_.notify_one();
}

void SaveWorker::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !queued_.empty(); });
    if (queued_.empty()) return;  // stopping, with everything written
    Job job = std::move(queued_.front());
    queued_.pop_front();
    writing_ = true;
    lock.unlock();
    job.written = files_.WriteReplacing(job.target, job.bytes);
    job.bytes = std::string();  // the snapshot's memory goes back now, not at Deliver
    lock.lock();
    writing_ = false;
    finished_.push_back(std::move(job));
    written_.notify_all();
  }
}

void SaveWorker::Deliver() {
  std::vector<Job> finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished.swap(finished_);
  }
  for (Job& job : finished) {
    const bool saved = job.saver->Written(job.written, job.moment);
    if (job.done) job.done(saved);
  }
}

// (<chrono> itself cannot be compiled to the CP932 execution character set;
// <condition_variable> brings the durations.)
bool SaveWorker::WaitUntilWritten(std::uint32_t timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return written_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return queued_.empty() && !writing_; });
}

}  // namespace ambrel
