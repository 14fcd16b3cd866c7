// qvlayout: prints and checks layout files (label, envelope and report
// designs) from the command line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QApplication>

#include "layout_dump.h"
#include "layout_render.h"

namespace {

int usage(const char* problem) {
  if (*problem) std::fprintf(stderr, "qvlayout: %s\n", problem);
  std::fprintf(*problem ? stderr : stdout,
               "usage: qvlayout dump FILE     print every list and element of a layout file\n"
               "       qvlayout check FILE    read the file as the program does; exit 1 on failure\n"
               "       qvlayout render FILE OUT.pdf [--record FIELD=VALUE ...] [--ppi N]\n"
               "                              print the first element list on a Letter page\n");
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
  if (command != "dump" && command != "check" && command != "render")
    return usage(("unknown command \"" + command + "\"").c_str());
  std::string pdf;
  qvlayout::RecordFields record;
  int ppi = 96;
  if (command == "render") {
    if (argc < 4) return usage("expected FILE and OUT.pdf");
    pdf = argv[3];
    for (int i = 4; i < argc; ++i) {
      const std::string option = argv[i];
      if (option == "--record" && i + 1 < argc) {
        const std::string pair = argv[++i];
        const auto eq = pair.find('=');
        if (eq == std::string::npos || eq == 0) return usage("--record takes FIELD=VALUE");
        record.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
      } else if (option == "--ppi" && i + 1 < argc) {
        char* end = nullptr;
        const long n = std::strtol(argv[++i], &end, 10);
        if (*end || n < 16 || n > 1200) return usage("--ppi takes a number from 16 to 1200");
        ppi = int(n);
      } else {
        return usage(("unknown option \"" + option + "\"").c_str());
      }
    }
  } else if (argc != 3) {
    return usage("expected one FILE");
  }
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
    } else if (command == "render") {
      if (!qvlayout::renderLayout(bytes, pdf, record, ppi)) {
        std::fprintf(stderr, "qvlayout: cannot write %s\n", pdf.c_str());
        return 2;
      }
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
