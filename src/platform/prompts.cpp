#include "prompts.h"

namespace platform {

namespace {

class SilentPrompts final : public Prompts {
 public:
  void info(const std::string&) override {}
  void error(const std::string&) override {}
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  void beep() override {}
};

SilentPrompts silent;
Prompts* current = &silent;

}  // namespace

Prompts& prompts() { return *current; }
void setPrompts(Prompts* p) { current = p ? p : &silent; }

std::vector<std::string> ScriptedPrompts::texts() const {
  std::vector<std::string> out;
  for (const Shown& s : shown_) out.push_back(s.text);
  return out;
}

bool ScriptedPrompts::ask(const std::string& caption, const std::string& text, bool) {
  shown_.push_back({"ask", caption, text});
  if (answers_.empty()) return false;
  bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

}  // namespace platform
