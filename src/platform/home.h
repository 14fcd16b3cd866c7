// The program's home folder, the clock and the tick count: the one place the rest of the
// program asks for them, so that tests can set both.
//
// The home is $QUILLVANE_HOME when set; else the executable's folder when it
// holds SYSDATA; else ~/.local/share/Quillvane. DATA/ and SYSDATA/ live in it.
// Folder paths end with "/".
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

std::string homeFolder();
// Overrides the home (tests); "" goes back to the rules above.
void setHomeFolder(const std::string& folder);
std::string dataFolder();     // home + "DATA/"
std::string sysdataFolder();  // home + "SYSDATA/"
// `folder` + `name`, using an existing file whose name differs only in case.
std::string pathNoCase(const std::string& folder, const std::string& name);
// The folder part of a path, with a trailing "/".
std::string folderOf(const std::string& path);

struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
DateTime now();
// Overrides the clock (tests); an empty function restores the system clock.
// Also sets the table engine's idea of today.
void setNow(std::function<DateTime()> clock);

// Milliseconds of a steady clock, for the timing rules of mouse and keyboard.
int64_t tickCount();
// Overrides the tick count (tests); an empty function restores the clock.
void setTickCount(std::function<int64_t()> ticks);

}  // namespace platform
