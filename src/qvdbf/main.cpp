// qvdbf: looks into and changes DBF tables from the command line, for users'
// scripts and for our own checks. See `qvdbf --help`.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "xbase/error.h"

int main(int argc, char** argv) {
  using namespace qvdbf;
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return usage(argc < 2 ? "no command" : "");
  std::string command = argv[1];
  Args args(argv + 2, argv + argc);
  try {
    if (command == "info") return cmdInfo(args);
    if (command == "create") return cmdCreate(args);
    if (command == "append-csv") return cmdAppendCsv(args);
    if (command == "count") return cmdCount(args);
    if (command == "list") return cmdList(args);
    if (command == "eval") return cmdEval(args);
    if (command == "pack") return cmdPack(args);
    if (command == "zap") return cmdZap(args);
    if (command == "index") return cmdIndex(args);
    if (command == "reindex") return cmdReindex(args);
    if (command == "seek") return cmdSeek(args);
    if (command == "check") return cmdCheck(args);
    if (command == "create-address") return cmdCreateAddress(args);
    if (command == "filter") return cmdFilter(args);
    if (command == "setup-home") return cmdSetupHome(args);
  } catch (const xbase::Error& e) {
    std::fprintf(stderr, "qvdbf: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qvdbf: %s\n", e.what());
    return 2;
  }
  return usage("unknown command \"" + command + "\"");
}
