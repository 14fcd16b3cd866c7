// The frame in which the main window hands its address file to a dialog:
// record events off and the bound controls suspended for the dialog's life
// (or only one of the two, as each command needs), then the command's
// "after" steps, then both restored. One object per command.
#pragma once

#include <functional>

namespace app {

class TAddressMain;

class HandOver {
 public:
  enum Flags { RecordEventsOff = 1, SuspendControls = 2, Full = 3 };

  HandOver(TAddressMain& main, int flags);
  ~HandOver();
  HandOver(const HandOver&) = delete;
  HandOver& operator=(const HandOver&) = delete;

  // Runs when the dialog is done, before the events and controls come back.
  std::function<void()> after;

 private:
  TAddressMain& main_;
  int flags_;
};

}  // namespace app
