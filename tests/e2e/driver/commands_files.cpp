// The standard file choosers (open and save) and the files in the scenario's work directory:
// naming them, making damaged ones, and checking what the editor wrote.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "commands.h"
#include "window_lookup.h"

namespace {
// The file name field: the combo box of the Explorer-style chooser, else the plain edit of the
// older style.
const int kExplorerNameField = 1148;  // cmb13
const int kClassicNameField = 1152;   // edt1

std::string workDirectory() {
  char buffer[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  std::string dir(buffer, length < MAX_PATH ? length : 0);
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  return dir;
}

HWND nameField(HWND chooser) {
  if (HWND w = findControl(chooser, kExplorerNameField)) return w;
  return findControl(chooser, kClassicNameField);
}

// The chooser with that caption, once it has its name field; empty text when found.
std::string waitChooser(EditorSession& s, const std::string& caption, HWND& chooser,
                        HWND& field) {
  chooser = waitFor(s.timeoutMs, [&]() -> HWND {
    HWND w = findTopLevelByCaption(s.processId, caption);
    return w && nameField(w) ? w : nullptr;
  });
  if (!chooser) {
    std::string shown;
    for (HWND w : topLevelWindows(s.processId)) shown += " \"" + windowText(w) + "\"";
    return "no chooser \"" + caption + "\" within " + std::to_string(s.timeoutMs) +
           " ms; the editor shows:" + (shown.empty() ? " none" : shown);
  }
  field = nameField(chooser);
  return s.settle() ? std::string() : "the editor does not answer";
}

std::string waitChooserGone(EditorSession& s, const std::string& caption, HWND chooser) {
  DWORD start = GetTickCount();
  while (IsWindow(chooser) && IsWindowVisible(chooser)) {
    if (GetTickCount() - start >= s.timeoutMs) {
      std::string shown;
      for (HWND w : topLevelWindows(s.processId)) shown += " \"" + windowText(w) + "\"";
      return "chooser \"" + caption + "\" still shown after " + std::to_string(s.timeoutMs) +
             " ms; the editor shows:" + shown;
    }
    Sleep(50);
  }
  // What the confirmed choice starts (a save, a load) is over once the editor answers again.
  return s.settle() ? std::string() : "the editor does not answer after the chooser";
}

// Presses a dialog button the way a click does: its notification, posted to the dialog.
void postButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Scenario paths are UTF-8, as the editor's are.
std::filesystem::path utf8Path(const std::string& path) { return std::filesystem::u8path(path); }

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// "B1DEBAAB" or "B1 DE BA AB" to bytes; false on an odd count or a non-hex character.
bool parseHex(const std::string& text, std::vector<unsigned char>& bytes) {
  std::string digits;
  for (char c : text) {
    if (c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (digits.size() % 2 != 0) return false;
  bytes.clear();
  for (size_t i = 0; i < digits.size(); i += 2) {
    bytes.push_back(static_cast<unsigned char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

std::string hex(const unsigned char* bytes, size_t count) {
  std::string text;
  char part[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(part, sizeof part, i ? " %02X" : "%02X", bytes[i]);
    text += part;
  }
  return text;
}
}  // namespace

bool readFile(const std::string& path, std::vector<unsigned char>& bytes) {
  std::ifstream in(utf8Path(path), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool worksWithoutEditor(const std::string& command) {
  static const char* const kFileCommands[] = {"expect-file", "expect-no-file",
                                              "expect-file-bytes", "expect-file-same",
                                              "wait-file",
                                              "write-file", "write-text", "copy-file",
                                              "patch-file", "forget-settings", "set-setting",
                                              "expect-setting", "preview-scale"};
  for (const char* name : kFileCommands) {
    if (command == name) return true;
  }
  return false;
}

std::string expandPlaceholders(const std::string& text) {
  static const std::string kWork = "$WORK";
  size_t at = text.find(kWork);
  if (at == std::string::npos) return text;
  const std::string dir = workDirectory();
  std::string out;
  size_t from = 0;
  for (; at != std::string::npos; at = text.find(kWork, from)) {
    out += text.substr(from, at - from) + dir;
    from = at + kWork.size();
  }
  return out + text.substr(from);
}

std::string cmdChooseFile(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("chooser caption");
  std::string path = a.rest("path");
  if (!a.done()) return a.error;
  HWND chooser = nullptr, field = nullptr;
  std::string failed = waitChooser(s, caption, chooser, field);
  if (!failed.empty()) return failed;
  std::wstring wide(path.size() + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                           SMTO_NORMAL, s.timeoutMs, &ignored)) {
    return "the chooser did not take the name within " + std::to_string(s.timeoutMs) + " ms";
  }
  std::string seen = windowText(field);
  if (seen != path) return "the chooser's name field reads \"" + seen + "\", not \"" + path + "\"";
  const std::vector<ViewInfo> before = s.views();
  postButton(chooser, IDOK);
  failed = waitChooserGone(s, caption, chooser);
  if (!failed.empty()) return failed;
  // A load replaces the placed gauges' views and leaves the ghost alone: a view that appeared
  // shows a loaded gauge, and placed views that went away were cleared.
  std::set<HWND> placed;
  for (const ViewInfo& v : s.views()) {
    bool existed = false;
    for (const ViewInfo& b : before) existed = existed || b.window == v.window;
    if (!existed || s.placed.count(v.window)) placed.insert(v.window);
  }
  s.placed = placed;
  return {};
}

std::string cmdCancelChooser(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.rest("chooser caption");
  if (!a.done()) return a.error;
  HWND chooser = nullptr, field = nullptr;
  std::string failed = waitChooser(s, caption, chooser, field);
  if (!failed.empty()) return failed;
  postButton(chooser, IDCANCEL);
  return waitChooserGone(s, caption, chooser);
}

std::string cmdExpectChooserName(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("chooser caption");
  std::string expected = a.rest("name");
  if (!a.done()) return a.error;
  HWND chooser = nullptr, field = nullptr;
  std::string failed = waitChooser(s, caption, chooser, field);
  if (!failed.empty()) return failed;
  std::string seen = windowText(field);
  if (seen != expected) {
    return "name field of \"" + caption + "\": expected \"" + expected + "\", seen \"" + seen +
           "\"";
  }
  return {};
}

std::string cmdExpectFile(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  long size = a.number("size");
  if (!a.done()) return a.error;
  std::vector<unsigned char> bytes;
  if (!readFile(path, bytes)) return "no file " + path;
  if (static_cast<long>(bytes.size()) != size) {
    return "size of " + path + ": expected " + std::to_string(size) + ", seen " +
           std::to_string(bytes.size());
  }
  return {};
}

std::string cmdExpectNoFile(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  if (!a.done()) return a.error;
  // FindFirstFileA also takes * and ?, for names that are not known beforehand.
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return "there is a file " + std::string(found.cFileName) + " (" + path + ")";
}

std::string cmdExpectFileBytes(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  long offset = a.number("offset");
  std::string text = a.rest("bytes");
  if (!a.done()) return a.error;
  std::vector<unsigned char> expected, bytes;
  if (!parseHex(text, expected) || expected.empty()) return "not hex bytes: " + text;
  if (!readFile(path, bytes)) return "no file " + path;
  if (offset < 0 || static_cast<size_t>(offset) + expected.size() > bytes.size()) {
    return path + " has " + std::to_string(bytes.size()) + " bytes, too few for " +
           std::to_string(expected.size()) + " at " + std::to_string(offset);
  }
  if (!std::equal(expected.begin(), expected.end(), bytes.begin() + offset)) {
    return "bytes of " + path + " at " + std::to_string(offset) + ": expected " +
           hex(expected.data(), expected.size()) + ", seen " +
           hex(bytes.data() + offset, expected.size());
  }
  return {};
}

std::string cmdExpectFileSame(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string first = a.word("first path");
  std::string second = a.word("second path");
  if (!a.done()) return a.error;
  std::vector<unsigned char> one, two;
  if (!readFile(first, one)) return "no file " + first;
  if (!readFile(second, two)) return "no file " + second;
  if (one.size() != two.size()) {
    return first + " has " + std::to_string(one.size()) + " bytes, " + second + " " +
           std::to_string(two.size());
  }
  auto differ = std::mismatch(one.begin(), one.end(), two.begin());
  if (differ.first != one.end()) {
    return first + " and " + second + " differ first at byte " +
           std::to_string(differ.first - one.begin());
  }
  return {};
}

std::string cmdWriteFile(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  std::string text = a.rest("bytes");
  if (!a.done()) return a.error;
  std::vector<unsigned char> bytes;
  if (!parseHex(text, bytes)) return "not hex bytes: " + text;
  if (!writeFile(path, bytes)) return "cannot write " + path;
  return {};
}

std::string cmdWriteText(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  std::string text = a.rest("text");
  if (!a.done()) return a.error;
  // \n, \r and \t stand for those characters, \\ for a backslash.
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      c = next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    }
    bytes.push_back(static_cast<unsigned char>(c));
  }
  if (!writeFile(path, bytes)) return "cannot write " + path;
  return {};
}

std::string cmdCopyFile(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string source = a.word("source");
  std::string target = a.word("target");
  std::string count = a.optionalWord();
  if (!a.done()) return a.error;
  std::vector<unsigned char> bytes;
  if (!readFile(source, bytes)) return "no file " + source;
  if (!count.empty()) {
    long keep = 0;
    if (!parseInt(count, keep) || keep < 0) return "not a byte count: " + count;
    if (static_cast<size_t>(keep) > bytes.size()) {
      return source + " has only " + std::to_string(bytes.size()) + " bytes";
    }
    bytes.resize(static_cast<size_t>(keep));
  }
  if (!writeFile(target, bytes)) return "cannot write " + target;
  return {};
}

std::string cmdPatchFile(EditorSession&, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  long offset = a.number("offset");
  std::string text = a.rest("bytes");
  if (!a.done()) return a.error;
  std::vector<unsigned char> patch, bytes;
  if (!parseHex(text, patch)) return "not hex bytes: " + text;
  if (!readFile(path, bytes)) return "no file " + path;
  if (offset < 0 || static_cast<size_t>(offset) + patch.size() > bytes.size()) {
    return path + " has " + std::to_string(bytes.size()) + " bytes, too few to patch at " +
           std::to_string(offset);
  }
  std::copy(patch.begin(), patch.end(), bytes.begin() + offset);
  if (!writeFile(path, bytes)) return "cannot write " + path;
  return {};
}

std::string cmdExpectBoxContains(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("caption");
  std::string expected = a.rest("text");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"";
  std::string seen;
  for (const std::string& t : staticTexts(w)) {
    if (t.find(expected) != std::string::npos) return {};
    seen += " \"" + t + "\"";
  }
  return "no text in \"" + caption + "\" holds \"" + expected + "\"; seen" +
         (seen.empty() ? " none" : seen);
}

std::string cmdCloseWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.rest("caption");
  if (!a.done()) return a.error;
  HWND w = findTopLevelByCaption(s.processId, caption);
  if (!w) return "no window \"" + caption + "\"";
  // The close box: posted, as the system menu's Close is.
  PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  return {};
}

std::string cmdWaitFile(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string path = a.word("path");
  long size = a.number("size");
  std::string ms = a.optionalWord();
  long wait = s.timeoutMs;
  if (!ms.empty() && !parseInt(ms, wait)) return "not a time-out: " + ms;
  if (!a.done()) return a.error;
  // A save runs after the command that asked for it has returned (menu commands are posted).
  std::vector<unsigned char> bytes;
  DWORD start = GetTickCount();
  for (;;) {
    bool found = readFile(path, bytes);
    if (found && static_cast<long>(bytes.size()) == size) return {};
    if (GetTickCount() - start >= static_cast<DWORD>(wait)) {
      return found ? path + " still has " + std::to_string(bytes.size()) + " bytes, not " +
                         std::to_string(size) + ", after " + std::to_string(wait) + " ms"
                   : "no file " + path + " after " + std::to_string(wait) + " ms";
    }
    Sleep(50);
  }
}
