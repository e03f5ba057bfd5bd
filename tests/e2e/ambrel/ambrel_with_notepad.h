// A test fixture: Ambrel running in a fresh folder beside Wine's notepad,
// with copies made in notepad, and the clip tree shown when a test fails.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ambrel/ambrel_run.h"
#include "harness/clipboard.h"
#include "harness/notepad.h"
#include "harness/wait.h"

namespace ambrel::e2e {

class AmbrelWithNotepad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_NO_FATAL_FAILURE(StartAmbrel());
    ASSERT_TRUE(notepad_.Start());
  }
  void TearDown() override {
    notepad_.Close();
    if (HasFailure()) ADD_FAILURE() << "tree:\n" << ambrel_.DescribeTree();
  }
  // How the program is brought up; a fixture may prepare its files first.
  virtual void StartAmbrel() { ASSERT_TRUE(ambrel_.Start()) << "Ambrel did not finish its start-up"; }

  void CopyInNotepad(const std::string& text) {
    notepad_.SetText(text);
    notepad_.SelectAllAndCopy();
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }

  AmbrelRun ambrel_;
  Notepad notepad_;
};

}  // namespace ambrel::e2e
