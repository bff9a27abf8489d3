// Pictures the editor wrote. The driver has no PNG decoder of its own: the runner converts the
// picture with ImageMagick into a plain grey map (PGM), which is read here.
#include <cctype>
#include <cstdio>
#include <sstream>

#include "commands.h"

namespace {

struct GreyMap {
  long width = 0, height = 0, maxValue = 0;
  std::vector<unsigned char> pixels;
};

// A binary PGM ("P5", width, height, maximum value, one byte a pixel). Empty text when read.
std::string parsePgm(const std::vector<unsigned char>& bytes, GreyMap& map) {
  std::string header;
  size_t at = 0;
  int fields = 0;
  // Four white-space separated fields; '#' starts a comment up to the line's end.
  while (at < bytes.size() && fields < 4) {
    if (bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
    } else if (std::isspace(bytes[at])) {
      if (!header.empty() && header.back() != ' ') {
        header += ' ';
        ++fields;
      }
    } else {
      header += static_cast<char>(bytes[at]);
    }
    ++at;
  }
  std::istringstream in(header);
  std::string magic;
  if (!(in >> magic >> map.width >> map.height >> map.maxValue) || magic != "P5" || map.maxValue != 255) {
    return "not an 8-bit binary grey map: \"" + header + "\"";
  }
  const size_t count = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
  if (bytes.size() - at != count) return "the grey map does not hold " + std::to_string(count) + " pixels";
  map.pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
  return {};
}

// Asks the runner for NAME.pgm, the picture as a grey map, and waits for it.
std::string convertThroughRunner(EditorSession& s, const std::string& name) {
  if (!s.runnerPresent) return "reading a picture needs the runner (tests/e2e/run)";
  const std::string done = name + ".pgm-done";
  DeleteFileA(done.c_str());
  DeleteFileA((name + ".pgm").c_str());  // a failed conversion must not leave an older map
  std::printf("@@picture-pgm %s\n", name.c_str());
  std::fflush(stdout);
  return waitForRunner(done, "convert " + name);
}

}  // namespace

std::string cmdExpectPictureBits(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string picture = a.word("picture");
  long width = a.number("width"), height = a.number("height");
  std::string file = a.word("file");
  long offset = a.number("offset");
  if (!a.done()) return a.error;
  if (picture.find_first_of("/\\: ") != std::string::npos) return "the picture must be a file of the work directory";
  if (width <= 0 || width % 8 != 0 || height <= 0) return "the width must be a multiple of 8";
  std::vector<unsigned char> pgm, expected;
  std::string failed = convertThroughRunner(s, picture);
  if (!failed.empty()) return failed;
  if (!readFile(picture + ".pgm", pgm)) return "the runner could not read " + picture + " as a picture";
  GreyMap map;
  failed = parsePgm(pgm, map);
  if (!failed.empty()) return picture + ": " + failed;
  if (map.width != width || map.height != height) {
    return picture + " is " + std::to_string(map.width) + " x " + std::to_string(map.height) + ", not " +
           std::to_string(width) + " x " + std::to_string(height);
  }
  if (!readFile(file, expected)) return "no file " + file;
  const size_t rowBytes = static_cast<size_t>(width / 8);
  if (offset < 0 || static_cast<size_t>(offset) + rowBytes * height > expected.size()) {
    return file + " has too few bytes for the picture at " + std::to_string(offset);
  }
  for (long y = 0; y < height; ++y) {
    for (long x = 0; x < width; ++x) {
      const unsigned char grey = map.pixels[static_cast<size_t>(y * width + x)];
      if (grey != 0 && grey != 255) {
        return picture + ": pixel " + std::to_string(x) + "," + std::to_string(y) + " is grey " +
               std::to_string(grey) + ", neither black nor white";
      }
      const unsigned char byte = expected[static_cast<size_t>(offset) + rowBytes * y + x / 8];
      const bool dark = (byte & (0x80 >> (x % 8))) != 0;
      if (dark != (grey == 0)) {
        return picture + ": pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
               (grey == 0 ? "black" : "white") + ", but " + file + " has it " + (dark ? "dark" : "light");
      }
    }
  }
  return {};
}
