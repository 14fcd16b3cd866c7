// Window placement as arithmetic on rectangles: what RestorePlacement,
// SavePlacement and CentreDialog decide, for the windows to apply.
// Sections are named class name + "_Placement", with the display's logical
// pixels per inch appended above 96 ("TAddressMain_Placement120").
#pragma once

#include <string>

#include "settings.h"

namespace data {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

std::string placementSection(const std::string& className, int pixelsPerInch);

struct Placement {
  Rect rect;             // the normal (not maximized) rectangle to give the window
  bool maximized = false;
  bool centred = false;  // nothing was saved: the rectangle is the centred one
};

// RestorePlacement: the saved rectangle pulled back inside the screen's right
// and bottom edges, or `centred` when none was saved; maximized as saved
// (default: `currentlyMaximized`). The caller applies it, then saves.
Placement restorePlacement(const Settings& settings, const std::string& className, int pixelsPerInch,
                           int screenWidth, int screenHeight, bool currentlyMaximized, const Rect& centred);
// SavePlacement: writes Left, Top, Right, Bottom and Maximized.
void savePlacement(Settings& settings, const std::string& className, int pixelsPerInch, const Rect& normal,
                   bool maximized);
// CentreDialog: on the screen for the main window itself or while the main
// window is maximized, else over the main window (div truncating toward zero).
Rect centreDialog(const Rect& window, const Rect& mainWindow, bool mainMaximized, bool isMainWindow,
                  int screenWidth, int screenHeight);

}  // namespace data
