#include "platform/save_worker.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/data_file_saver.h"
#include "platform/fakes.h"

namespace ambrel {
namespace {

constexpr SaveFailureNotice kNotice{"保存出来ませんでした。", 7};

class SaveWorkerTest : public ::testing::Test {
 protected:
  fakes::GatedFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver history{files, messages, clock, "C:\\A\\Ambrel.hst", kNotice};
  DataFileSaver side{files, messages, clock, "C:\\A\\Ambrel.hsu", kNotice};
  std::unique_ptr<SaveWorker> worker = std::make_unique<SaveWorker>(files);
  std::vector<std::string> heard;
  SaveWorker::Done Hear(const std::string& name) {
    return [this, name](bool saved) { heard.push_back(name + (saved ? " saved" : " failed")); };
  }
};

// While one save is being written, the next ones wait in order; a newer
// save of a waiting file takes its place, and both callers hear its outcome.
TEST_F(SaveWorkerTest, WritesInOrderAndANewerSaveReplacesAWaitingOne) {
  files.Shut();
  worker->Submit(history, "h1", SaveMoment::kRunning, Hear("h1"));
  files.WaitForWrites(1);
  worker->Submit(side, "s1", SaveMoment::kRunning, Hear("s1"));
  worker->Submit(history, "h2", SaveMoment::kRunning, Hear("h2"));
  worker->Submit(history, "h3", SaveMoment::kExit, Hear("h3"));
  EXPECT_FALSE(worker->WaitUntilWritten(1));
  worker->Deliver();
  EXPECT_TRUE(heard.empty()) << "nothing is told before it is written";
  files.Open();
  ASSERT_TRUE(worker->WaitUntilWritten(10000));
  EXPECT_EQ(files.written,
            (std::vector<std::string>{"C:\\A\\Ambrel.hst=h1", "C:\\A\\Ambrel.hsu=s1", "C:\\A\\Ambrel.hst=h3"}));
  worker->Deliver();
  EXPECT_EQ(heard, (std::vector<std::string>{"h1 saved", "s1 saved", "h2 saved", "h3 saved"}));
  EXPECT_EQ(files.Get("C:\\A\\Ambrel.hst"), "h3");
}

// A failure is told through the file's saver on the UI thread's Deliver,
// once while running and again at exit; a blocked file's save goes beside it.
TEST_F(SaveWorkerTest, FailuresAreToldThroughTheSaverWhenDelivered) {
  files.failAllWrites = true;
  worker->Submit(history, "h1", SaveMoment::kRunning, Hear("h1"));
  worker->Submit(side, "s1", SaveMoment::kRunning, Hear("s1"));
  ASSERT_TRUE(worker->WaitUntilWritten(10000));
  EXPECT_TRUE(messages.shown.empty());
  worker->Deliver();
  EXPECT_EQ(heard, (std::vector<std::string>{"h1 failed", "s1 failed"}));
  ASSERT_EQ(messages.shown.size(), 2u) << "one per file";
  EXPECT_TRUE(history.LastSaveFailed());
  worker->Submit(history, "h2", SaveMoment::kRunning);
  worker->Submit(history, "h3", SaveMoment::kExit);
  ASSERT_TRUE(worker->WaitUntilWritten(10000));
  worker->Deliver();
  EXPECT_EQ(messages.shown.size(), 3u) << "told again only at exit";

  files.failAllWrites = false;
  history.Block();
  worker->Submit(history, "h4", SaveMoment::kRunning);
  ASSERT_TRUE(worker->WaitUntilWritten(10000));
  worker->Deliver();
  EXPECT_FALSE(history.LastSaveFailed());
  EXPECT_EQ(files.Get(history.Target()), "h4");
  EXPECT_FALSE(files.Get("C:\\A\\Ambrel.hst").has_value());
}

TEST_F(SaveWorkerTest, EndingTheWorkerWritesWhatWasHandedOver) {
  files.Shut();
  worker->Submit(history, "h1", SaveMoment::kExit);
  files.WaitForWrites(1);
  worker->Submit(side, "s1", SaveMoment::kExit);
  files.Open();
  worker.reset();
  EXPECT_EQ(files.Get("C:\\A\\Ambrel.hst"), "h1");
  EXPECT_EQ(files.Get("C:\\A\\Ambrel.hsu"), "s1");
}

}  // namespace
}  // namespace ambrel
