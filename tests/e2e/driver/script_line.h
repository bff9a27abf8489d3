#pragma once
// One line of a scenario, taken apart argument by argument.
#include <string>

class ScriptLine {
 public:
  explicit ScriptLine(std::string text) : text_(std::move(text)) {}

  // The next argument: a bare word, or a double-quoted text (\" and \\ inside it stand for " and
  // \). Returns false when the line has no more arguments.
  bool next(std::string& out);
  // Everything left on the line, trimmed; a text wrapped whole in double quotes loses them.
  std::string rest();
  bool atEnd();

 private:
  void skipSpace();
  std::string text_;
  size_t pos_ = 0;
};

// A line's command text without surrounding white space; empty for a comment line (one whose
// first character is #). Gauge names hold # ("Knock #1"), so a # later in a line is text.
std::string stripComment(const std::string& line);
bool parseInt(const std::string& text, long& out);
// `text` with $WORK replaced by the work directory's Windows path (commands_files.cpp).
std::string expandPlaceholders(const std::string& text);
