#include "hand_over.h"

#include "address_main.h"

namespace app {

HandOver::HandOver(TAddressMain& main, int flags) : main_(main), flags_(flags) {
  if (flags_ & RecordEventsOff) main_.recordEventsOn_ = false;
  if (flags_ & SuspendControls) main_.TableQVW().disableControls();
}

HandOver::~HandOver() {
  if (after) after();
  if (flags_ & SuspendControls) main_.TableQVW().enableControls();
  if (flags_ & RecordEventsOff) main_.recordEventsOn_ = true;
}

}  // namespace app
