// The one seam through which the program shows information boxes, error
// boxes and Yes/No questions, and beeps. The program installs a window-system
// implementation; tests install a ScriptedPrompts that answers from a script
// and records exactly what was shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace platform {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // An information box: caption "Information", an OK button.
  virtual void info(const std::string& text) = 0;
  // An error box with the platform's message.
  virtual void error(const std::string& text) = 0;
  // A Yes/No question with its own caption; true for Yes.
  virtual bool ask(const std::string& caption, const std::string& text, bool defaultNo) = 0;
  virtual void beep() = 0;
};

// The prompts in force (a silent one that answers No until one is installed).
Prompts& prompts();
// Installs `p` (not owned); null restores the silent default.
void setPrompts(Prompts* p);

// Test double: records every prompt; questions are answered from a queue
// (No when it is empty).
class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    std::string kind;     // "info", "error", "ask", "beep"
    std::string caption;  // for questions
    std::string text;
    bool operator==(const Shown&) const = default;
  };

  void answer(bool yes) { answers_.push_back(yes); }
  const std::vector<Shown>& shown() const { return shown_; }
  // The texts shown, in order (beeps as "<beep>").
  std::vector<std::string> texts() const;
  void clear() { shown_.clear(); }

  void info(const std::string& text) override { shown_.push_back({"info", "Information", text}); }
  void error(const std::string& text) override { shown_.push_back({"error", "Error", text}); }
  bool ask(const std::string& caption, const std::string& text, bool defaultNo) override;
  void beep() override { shown_.push_back({"beep", "", "<beep>"}); }

 private:
  std::vector<Shown> shown_;
  std::deque<bool> answers_;
};

// Installs a ScriptedPrompts for the life of a test scope.
class ScopedPrompts {
 public:
  explicit ScopedPrompts(Prompts& p) { setPrompts(&p); }
  ~ScopedPrompts() { setPrompts(nullptr); }
};

}  // namespace platform
