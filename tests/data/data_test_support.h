// Helpers for the address-data tests: a scratch home with DATA and SYSDATA,
// scripted prompts, a fixed clock.
#pragma once

#include "../xbase/test_support.h"
#include "platform/home.h"
#include "platform/prompts.h"

namespace qvtest {

class TestHome {
 public:
  TestHome() : prompts_scope_(prompts) {
    std::filesystem::create_directories(dir.path() / "DATA");
    std::filesystem::create_directories(dir.path() / "SYSDATA");
    platform::setHomeFolder(dir.path().string());
  }
  ~TestHome() {
    platform::setHomeFolder("");
    platform::setNow({});
  }
  std::string data(const std::string& name) const { return dir.file("DATA/" + name); }
  std::string sysdata(const std::string& name) const { return dir.file("SYSDATA/" + name); }

  TempDir dir;
  platform::ScriptedPrompts prompts;

 private:
  platform::ScopedPrompts prompts_scope_;
};

}  // namespace qvtest
