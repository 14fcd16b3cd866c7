// qvlayout: prints and checks layout files (label, envelope and report
// designs) from the command line.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QApplication>

#include "layout_dump.h"

namespace {

int usage(const char* problem) {
  if (*problem) std::fprintf(stderr, "qvlayout: %s\n", problem);
  std::fprintf(*problem ? stderr : stdout,
               "usage: qvlayout dump FILE     print every list and element of a layout file\n"
               "       qvlayout check FILE    read the file as the program does; exit 1 on failure\n");
  return *problem ? 2 : 0;
}

bool readFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return usage(argc < 2 ? "no command" : "");
  std::string command = argv[1];
  if (command != "dump" && command != "check") return usage(("unknown command \"" + command + "\"").c_str());
  if (argc != 3) return usage("expected one FILE");
  // Elements are widgets' kin (their menus): an application without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::string path = argv[2], bytes;
  // The program reads a missing layout as an empty one; the tool says so instead.
  if (!readFile(path, bytes)) {
    std::fprintf(stderr, "qvlayout: cannot read %s\n", path.c_str());
    return 2;
  }
  try {
    if (command == "dump") {
      std::fputs(qvlayout::dumpLayout(bytes).c_str(), stdout);
    } else {
      qvlayout::checkLayout(path);
      std::printf("%s: ok\n", path.c_str());
    }
  } catch (const design::LayoutError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
