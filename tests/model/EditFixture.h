#pragma once

#include <gtest/gtest.h>

#include "RecordingMessages.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan::test {

// A 15 m metric beam in a headless document window, ready for edits.
class EditFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationMetric(true);
    window.NewBeam(15);
  }

  TTrevanDoc& beam() { return *window.beam(); }
  EditRecorder& recorder() { return window.recorder(); }
  undo::TUndoMultiBuffer& buffer() { return window.undoBuffer(); }
  void Undo() { buffer().Undo(); }
  void Redo() { buffer().Redo(); }
  const std::string& UndoCaption() const { return window.UndoCommand().caption; }
  const std::string& RedoCaption() const { return window.RedoCommand().caption; }
  bool UndoEnabled() const { return window.UndoCommand().enabled; }
  bool RedoEnabled() const { return window.RedoCommand().enabled; }

  RecordingMessages messages;
  HeadlessWindow window{messages};
};

}  // namespace trevan::test
