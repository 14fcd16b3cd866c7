// The commands of qvdbf, the engine's command-line tool. Each returns the
// process exit status: 0 done, 1 a failed check, 2 bad usage or an
// unreadable file (with a message on stderr naming the file).
#pragma once

#include <string>
#include <vector>

namespace qvdbf {

using Args = std::vector<std::string>;

int cmdInfo(const Args& args);
int cmdCreate(const Args& args);
int cmdAppendCsv(const Args& args);
int cmdCount(const Args& args);
int cmdList(const Args& args);
int cmdEval(const Args& args);
int cmdPack(const Args& args);
int cmdZap(const Args& args);
int cmdIndex(const Args& args);
int cmdReindex(const Args& args);
int cmdSeek(const Args& args);
int cmdCheck(const Args& args);
int cmdCreateAddress(const Args& args);
int cmdFilter(const Args& args);
int cmdSetupHome(const Args& args);

int usage(const std::string& problem);

}  // namespace qvdbf
