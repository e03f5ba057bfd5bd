#include "app/history_idle_save.h"

#include <gtest/gtest.h>

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/busy_state.h"
#include "platform/data_file_saver.h"
#include "platform/fakes.h"
#include "platform/save_worker.h"

namespace ambrel::app {
namespace {

constexpr const char* kPath = "C:\\Ambrel\\Ambrel.hst";
constexpr std::uint32_t kDelay = 30000;

class Dialogs : public BusyState {
 public:
  bool Busy() const override { return open; }
  bool StartupFinished() const override { return true; }
  bool open = false;
};

class HistoryIdleSaveTest : public ::testing::Test {
 protected:
  HistoryIdleSaveTest() { store.DefineDefaultSlots(); }

  void Copy(const std::string& text) { store.AddClip(layout.History(), clipstore::kHistorySlot, true, text); }
  // Lets time pass in steps of the timer, as the resident window does; a
  // save handed over in a step is written within it, and its outcome heard
  // (as the next step would).
  void Wait(std::uint64_t ms) {
    for (const std::uint64_t end = now + ms; now < end;) {
      now += std::min<std::uint64_t>(idle.CheckIntervalMs(), end - now);
      idle.Check();
      ASSERT_TRUE(worker.WaitUntilWritten(10000));
      worker.Deliver();
    }
  }

  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  options::Settings settings;
  Dialogs dialogs;
  fakes::GatedFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, kPath, kHistorySaveFailed};
  SaveWorker worker{files};
  std::uint64_t now = 0;
  HistoryIdleSave idle{store, settings, dialogs, saver, worker, [this] { return now; }, kDelay};
};

TEST_F(HistoryIdleSaveTest, AnyChangeOfTheStoreIsSavedOnceItHasBeenLeftAlone) {
  Copy("loaded at start-up");
  idle.Start();
  Wait(2 * kDelay);
  EXPECT_EQ(files.writes, 0) << "what start-up read is not written back";

  Copy("表示");
  Wait(kDelay - idle.CheckIntervalMs());
  EXPECT_EQ(files.writes, 0);
  store.DeleteClip(0);  // not a copy: an edit counts too, and starts the wait again
  Wait(kDelay - idle.CheckIntervalMs());
  EXPECT_EQ(files.writes, 0);
  Wait(2 * idle.CheckIntervalMs());
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(files.Get(kPath), BuildHistoryData(store));
  Wait(3 * kDelay);
  EXPECT_EQ(files.writes, 1) << "saved once";
}

TEST_F(HistoryIdleSaveTest, WaitsForDialogsRetriesAFailureAndWritesNothingWhenSwitchedOff) {
  idle.Start();
  Copy("one");
  dialogs.open = true;
  Wait(3 * kDelay);
  EXPECT_EQ(files.writes, 0) << "never while a dialog is open";
  dialogs.open = false;
  files.failNextWrites = 1;
  Wait(idle.CheckIntervalMs());
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(messages.shown.size(), 1u) << "the failure is told";
  Wait(kDelay);
  EXPECT_EQ(files.writes, 2) << "tried again a delay later";
  EXPECT_TRUE(files.Get(kPath).has_value());

  settings.SetSaveHistoryOnExit(false);
  Copy("two");
  Wait(3 * kDelay);
  EXPECT_EQ(files.writes, 2) << "switched off";
}

// The save is written while the program goes on: a copy recorded meanwhile
// is not in it, and gets a save of its own; no second save starts while
// one is being written.
TEST_F(HistoryIdleSaveTest, ChangeMadeWhileTheSaveIsWrittenIsSavedLater) {
  idle.Start();
  Copy("one");
  idle.Check();  // the change is noted
  now += kDelay;
  files.Shut();
  idle.Check();
  files.WaitForWrites(1);
  Copy("two");
  const std::string withTwo = BuildHistoryData(store);
  for (int i = 0; i < 3; ++i) {
    now += kDelay;
    idle.Check();
  }
  files.Open();
  ASSERT_TRUE(worker.WaitUntilWritten(10000));
  EXPECT_EQ(files.writes, 1) << "one save at a time";
  Wait(kDelay + idle.CheckIntervalMs());
  EXPECT_EQ(files.writes, 2);
  EXPECT_EQ(files.Get(kPath), withTwo);
}

}  // namespace
}  // namespace ambrel::app
