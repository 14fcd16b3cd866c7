// Helpers shared by the benchmarks: synthetic address records as CSV, and
// running a step in a child process to measure its time and peak memory.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace qvbench {

inline constexpr const char* kAddressFields =
    "LNAME:C:30,FNAME:C:30,MIDDLE:C:1,PREFIX:C:12,TITLE:C:30,ORG:C:30,STREET:C:40,STREET2:C:40,CITY:C:30,"
    "STATE:C:20,ZIP:C:10,COUNTRY:C:30,DATE:C:15,PHONE:C:30,PHONE2:C:30,FAX:C:40,EMAIL:C:40,CODES:C:30,"
    "USER1:C:40,USER2:C:40,ISDEL:L,TAG:C:8,MEMO:M";
inline const char* kColumns[] = {"LNAME", "FNAME",  "MIDDLE", "PREFIX", "TITLE", "ORG",   "STREET", "STREET2",
                          "CITY",  "STATE",  "ZIP",    "COUNTRY", "DATE", "PHONE", "PHONE2", "FAX",
                          "EMAIL", "CODES",  "USER1",  "USER2",  "ISDEL", "TAG",   "MEMO"};
struct Measure {
  double seconds = 0;
  long maxRssKb = 0;
  std::string output;
};

// Runs `work` in a child process and measures its wall time and peak memory.
inline Measure inChild(const std::function<std::string()>& work) {
  std::fflush(stdout);
  int pipefd[2];
  if (pipe(pipefd) != 0) std::exit(1);
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    close(pipefd[0]);
    dup2(pipefd[1], 1);
    std::string out = work();
    if (write(pipefd[1], out.data(), out.size()) < 0) _exit(1);
    _exit(0);
  }
  close(pipefd[1]);
  Measure m;
  char buf[4096];
  ssize_t n;
  while ((n = read(pipefd[0], buf, sizeof buf)) > 0) m.output.append(buf, std::size_t(n));
  close(pipefd[0]);
  int status = 0;
  struct rusage ru {};
  wait4(pid, &status, 0, &ru);
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.maxRssKb = ru.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "step failed: %s\n", m.output.c_str());
    std::exit(1);
  }
  return m;
}

// Runs a program (no shell, its output captured) and measures it the same way.
inline Measure run(const std::vector<std::string>& argv) {
  return inChild([&] {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::perror(args[0]);
    _exit(127);
    return std::string();
  });
}

inline void generateCsv(const std::string& path, long records) {
  static const char* last[] = {"Smith", "Smithers", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller",
                               "Davis", "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson",
                               "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Perez"};
  static const char* first[] = {"James", "Mary", "John", "Patricia", "Robert", "Jennifer", "Michael", "Linda",
                                "William", "Elizabeth", "David", "Barbara", "Richard", "Susan", "Joseph"};
  static const char* city[] = {"Springfield", "Riverside", "Franklin", "Greenville", "Bristol", "Clinton",
                               "Fairview", "Salem", "Madison", "Georgetown"};
  static const char* state[] = {"IL", "CA", "TX", "NY", "FL", "OH", "PA", "MI", "GA", "NC"};
  std::mt19937 rng(12345);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::exit(1);
  std::string line;
  for (long i = 0; i < records; ++i) {
    auto pick = [&](auto& arr) { return arr[rng() % (sizeof(arr) / sizeof(arr[0]))]; };
    std::string codes;
    for (int k = 0; k < 3; ++k) codes.push_back(char('A' + rng() % 8));
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "%s,%s,%c,Mr.,Manager,Acme Widgets %ld,%ld Main Street,Suite %ld,%s,%s,%05ld,USA,%04ld%02ld%02ld,"
                  "(555) 555-%04ld,,,%s.%s@example.com,%s,Comment one,,%s,,%s\r\n",
                  pick(last), pick(first), char('A' + rng() % 26), i % 1000, 100 + i % 9000, i % 300, pick(city),
                  pick(state), long(rng() % 100000), 1950 + long(rng() % 70), 1 + long(rng() % 12),
                  1 + long(rng() % 28), long(rng() % 10000), pick(first), pick(last), codes.c_str(),
                  rng() % 50 == 0 ? "T" : "F", rng() % 20 == 0 ? "\"A short memo, with a comma\"" : "");
    line = buf;
    std::fwrite(line.data(), 1, line.size(), f);
  }
  std::fclose(f);
}

inline void report(const char* what, long records, const Measure& m) {
  std::printf("%-34s %8.2f s %12.0f rec/s %9.1f MiB peak\n", what, m.seconds, double(records) / m.seconds,
              double(m.maxRssKb) / 1024.0);
}


// The command line every benchmark takes: [RECORDS] [FOLDER]. Without a
// folder the files go to a temporary one that is removed at the end.
struct BenchSetup {
  long records = 1000000;
  std::string folder;
  bool temporary = true;

  BenchSetup(int argc, char** argv) {
    if (argc > 1) records = std::atol(argv[1]);
    temporary = argc <= 2;
    if (temporary) {
      char tmpl[] = "/tmp/qvbench-XXXXXX";
      if (!mkdtemp(tmpl)) std::exit(1);
      folder = tmpl;
    } else {
      folder = argv[2];
      std::filesystem::create_directories(folder);
    }
    std::printf("records: %ld, folder: %s\n", records, folder.c_str());
  }
  ~BenchSetup() {
    if (temporary) std::filesystem::remove_all(folder);
  }
  std::string file(const std::string& name) const { return folder + "/" + name; }
};

}  // namespace qvbench
