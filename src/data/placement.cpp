#include "placement.h"

namespace data {

std::string placementSection(const std::string& className, int pixelsPerInch) {
  std::string s = className + "_Placement";
  if (pixelsPerInch > 96) s += std::to_string(pixelsPerInch);
  return s;
}

Placement restorePlacement(const Settings& settings, const std::string& className, int pixelsPerInch,
                           int screenWidth, int screenHeight, bool currentlyMaximized, const Rect& centred) {
  const std::string section = placementSection(className, pixelsPerInch);
  Placement p;
  Rect r;
  r.left = settings.readInteger(section, "Left", 0);
  r.top = settings.readInteger(section, "Top", 0);
  r.right = settings.readInteger(section, "Right", 0);
  r.bottom = settings.readInteger(section, "Bottom", 0);
  p.maximized = settings.readBool(section, "Maximized", currentlyMaximized);
  if (r.bottom == 0) {
    p.rect = centred;
    p.centred = true;
    return p;
  }
  if (screenWidth < r.right) {
    r.left -= r.right - screenWidth;
    r.right = screenWidth;
  }
  if (screenHeight < r.bottom) {
    r.top -= r.bottom - screenHeight;
    r.bottom = screenHeight;
  }
  p.rect = r;
  return p;
}

void savePlacement(Settings& settings, const std::string& className, int pixelsPerInch, const Rect& normal,
                   bool maximized) {
  const std::string section = placementSection(className, pixelsPerInch);
  settings.writeInteger(section, "Left", normal.left);
  settings.writeInteger(section, "Top", normal.top);
  settings.writeInteger(section, "Right", normal.right);
  settings.writeInteger(section, "Bottom", normal.bottom);
  settings.writeBool(section, "Maximized", maximized);
}

Rect centreDialog(const Rect& window, const Rect& mainWindow, bool mainMaximized, bool isMainWindow,
                  int screenWidth, int screenHeight) {
  int w = window.width(), h = window.height();
  Rect r;
  if (isMainWindow || mainMaximized) {
    r.left = (screenWidth - w) / 2;
    r.top = (screenHeight - h) / 2;
  } else {
    r.left = mainWindow.left + (mainWindow.width() - w) / 2;
    r.top = mainWindow.top + (mainWindow.height() - h) / 2;
  }
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

}  // namespace data
