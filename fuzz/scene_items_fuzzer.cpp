// Any bytes, as a scene file, through the scene evaluation's reader. A
// refused scene leaves the items alone and names one of the file's lines as
// "fuzz.lws:N: message"; an accepted one gives named items, told apart,
// whose parents and features are sound and whose positions (every item's
// but a bone's and what hangs from one) can be asked for at any frame once
// the document is gone, and are finite for a tame scene (numbers below
// 1000, few parents), where nothing can overflow.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz/invariant.h"
#include "fuzz/scratch_file.h"
#include "scene_eval/scene_eval.h"
#include "scene/scene.h"

namespace {

inline constexpr char SOURCE_NAME[] = "fuzz.lws";
inline constexpr std::size_t MOST_WHOLE_DIGITS = 3;
inline constexpr std::size_t MOST_PARENT_LINES = 30;

// The frames a run samples, and a few it never would.
inline constexpr double FRAMES[] = {-1, 0, 0.5, 1, 2, 15, 29, 30, 59, 60, 1000, 1e6};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// True when every number the file could hold is below 1000 in magnitude
// (no whole part of more than three digits, no exponent, no hexadecimal) and
// it holds few parent lines, so that no position can overflow.
bool isTame(const std::string& bytes) {
  std::size_t run = 0;    // digits in a row
  bool fraction = false;  // the run follows a decimal point
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    char before = i > 0 ? bytes[i - 1] : ' ';
    if (isDigit(c)) {
      if (run++ == 0) fraction = before == '.';
      if (!fraction && run > MOST_WHOLE_DIGITS) return false;
      continue;
    }
    run = 0;
    bool exponentOrHex = c == 'e' || c == 'E' || c == 'p' || c == 'P' || c == 'x' || c == 'X';
    if (exponentOrHex && (isDigit(before) || before == '.')) return false;
  }
  std::size_t parentLines = 0;
  for (std::size_t at = bytes.find("ParentObject"); at != std::string::npos;
       at = bytes.find("ParentObject", at + 1)) {
    ++parentLines;
  }
  return parentLines <= MOST_PARENT_LINES;
}

std::size_t fileLineCount(const std::string& bytes) {
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n' ? 1 : 0;
  return lines + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

// "fuzz.lws:N: message", one line, N one of the file's lines (line 1 for
// an empty file), never one past its end.
void requireErrorNamesLine(const std::string& error, std::size_t fileLines) {
  const std::string prefix = std::string(SOURCE_NAME) + ":";
  require(error.starts_with(prefix), "a refusal begins with the file's name and a colon");
  const std::size_t lastNamed = std::max<std::size_t>(fileLines, 1);
  std::size_t digits = prefix.size();
  std::size_t line = 0;
  while (digits < error.size() && isDigit(error[digits]) && line <= lastNamed) {
    line = line * 10 + static_cast<std::size_t>(error[digits++] - '0');
  }
  require(line >= 1 && line <= lastNamed, "a refusal names a line of the file");
  require(error.compare(digits, 2, ": ") == 0 && error.size() > digits + 2,
          "a refusal gives a message after the line number");
  require(error.find('\n') == std::string::npos, "a refusal is one line");
}

// True when the walk from items[index] up through its parents meets a bone.
bool hangsFromBone(const std::vector<scene_eval::ItemSpec>& items, std::size_t index) {
  for (const scene_eval::LeftOut& leftOut : scene_eval::leftOutOf(items, index)) {
    if (leftOut.feature.kind == scene_eval::Unevaluated::BONE) return true;
  }
  return false;
}

void requireItemsSane(const std::vector<scene_eval::ItemSpec>& items, std::size_t fileLines,
                      bool tame) {
  std::set<std::string> names;
  for (const scene_eval::ItemSpec& item : items) {
    require(!item.parent || *item.parent < items.size(), "a parent is one of the items");
  }
  for (std::size_t index = 0; index < items.size(); ++index) {
    const scene_eval::ItemSpec& item = items[index];
    require(!item.name.empty(), "every item has a name");
    require(names.insert(item.name).second, "no two items have the same name");
    auto kind = static_cast<std::int32_t>(item.kind);
    require(kind >= 0 && kind <= 3, "every item is an object, a light, a camera or a bone");
    for (const scene_eval::UnevaluatedFeature& feature : item.unevaluated) {
      require(feature.line >= 1 && static_cast<std::size_t>(feature.line) <= fileLines,
              "a feature names a line of the file");
    }
    require(static_cast<bool>(item.worldPosition) != hangsFromBone(items, index),
            "every item has a position but a bone and what hangs from one");
    if (!item.worldPosition) continue;
    for (double frame : FRAMES) {
      scene_eval::Vector3 position = item.worldPosition(frame / 30);
      if (tame) {
        require(std::isfinite(position.x) && std::isfinite(position.y) &&
                    std::isfinite(position.z),
                "a tame scene's positions are finite");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = scratchPath(SOURCE_NAME);
  writeFileBytes(path, bytes);
  SceneDocument* document = readScene(path.c_str());
  if (document == nullptr) return 0;  // a NUL byte: the library refuses the file

  scene_eval::ItemSpec sentinel;
  sentinel.name = "sentinel";
  std::vector<scene_eval::ItemSpec> items = {sentinel};
  std::string error;
  bool read = scene_eval::sceneItems(document, SOURCE_NAME, &items, &error);
  freeScene(document);  // the items' positions must not need it

  if (!read) {
    require(items.size() == 1 && items[0].name == "sentinel",
            "a refused scene leaves the items alone");
    requireErrorNamesLine(error, fileLineCount(bytes));
    return 0;
  }
  requireItemsSane(items, fileLineCount(bytes), isTame(bytes));
  return 0;
}
