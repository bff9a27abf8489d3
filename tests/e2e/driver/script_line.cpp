#include "script_line.h"

#include <cctype>
#include <cstdlib>

void ScriptLine::skipSpace() {
  while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

bool ScriptLine::atEnd() {
  skipSpace();
  return pos_ >= text_.size();
}

bool ScriptLine::next(std::string& out) {
  out.clear();
  if (atEnd()) return false;
  if (text_[pos_] == '"') {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
      out += text_[pos_++];
    }
    if (pos_ < text_.size()) ++pos_;  // closing quote
    out = expandPlaceholders(out);
    return true;
  }
  while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) {
    out += text_[pos_++];
  }
  out = expandPlaceholders(out);
  return true;
}

std::string ScriptLine::rest() {
  skipSpace();
  std::string r = text_.substr(pos_);
  pos_ = text_.size();
  while (!r.empty() && std::isspace(static_cast<unsigned char>(r.back()))) r.pop_back();
  if (r.size() >= 2 && r.front() == '"' && r.back() == '"') r = r.substr(1, r.size() - 2);
  return expandPlaceholders(r);
}

std::string stripComment(const std::string& line) {
  size_t b = 0, end = line.size();
  while (b < end && std::isspace(static_cast<unsigned char>(line[b]))) ++b;
  if (b < end && line[b] == '#') return {};
  while (end > b && std::isspace(static_cast<unsigned char>(line[end - 1]))) --end;
  return line.substr(b, end - b);
}

bool parseInt(const std::string& text, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 0);
  return end && *end == '\0';
}
