#include "home.h"

#include <chrono>

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "xbase/date.h"
#include "xbase/file.h"

namespace platform {

namespace {

std::string& homeOverride() {
  static std::string h;
  return h;
}

std::function<DateTime()>& clockOverride() {
  static std::function<DateTime()> f;
  return f;
}

std::string withSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
}

std::string executableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : withSlash(exe.parent_path().string());
}

}  // namespace

std::string homeFolder() {
  if (!homeOverride().empty()) return homeOverride();
  if (const char* env = std::getenv("QUILLVANE_HOME"); env && *env) return withSlash(env);
  std::string exe = executableFolder();
  if (!exe.empty() && std::filesystem::is_directory(exe + "SYSDATA")) return exe;
  const char* user = std::getenv("HOME");
  return withSlash(std::string(user && *user ? user : "/tmp") + "/.local/share/Quillvane");
}

void setHomeFolder(const std::string& folder) { homeOverride() = folder.empty() ? folder : withSlash(folder); }

std::string dataFolder() { return homeFolder() + "DATA/"; }
std::string sysdataFolder() { return homeFolder() + "SYSDATA/"; }

std::string pathNoCase(const std::string& folder, const std::string& name) {
  std::string wanted = withSlash(folder) + name;
  std::string found = xbase::findFileNoCase(wanted);
  return found.empty() ? wanted : found;
}

std::string folderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

DateTime now() {
  if (clockOverride()) return clockOverride()();
  std::time_t t = std::time(nullptr);
  std::tm local {};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void setNow(std::function<DateTime()> clock) {
  clockOverride() = std::move(clock);
  if (clockOverride()) {
    xbase::setTodayFunction([] {
      DateTime d = now();
      return xbase::CalendarDate{d.year, d.month, d.day};
    });
  } else {
    xbase::setTodayFunction({});
  }
}

namespace {
std::function<int64_t()>& tickOverride() {
  static std::function<int64_t()> f;
  return f;
}
}  // namespace

int64_t tickCount() {
  if (tickOverride()) return tickOverride()();
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void setTickCount(std::function<int64_t()> ticks) { tickOverride() = std::move(ticks); }

}  // namespace platform
