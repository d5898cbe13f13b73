#include "runner/pair_files.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace {

// Longest part of a file name taken from one item name, in bytes.
constexpr std::size_t LONGEST_NAME_PART = 100;

bool refusedInFileNames(unsigned char c) {
  return c < 32 || c == 127 ||
         std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

// The name with every refused character replaced, cut to its longest part
// (never inside a UTF-8 sequence), without the dots and blanks Windows
// drops from a name's end.
std::string safePart(const std::string& name) {
  std::string safe;
  for (unsigned char c : name) safe += refusedInFileNames(c) ? '_' : static_cast<char>(c);
  if (safe.size() > LONGEST_NAME_PART) {
    std::size_t cut = LONGEST_NAME_PART;
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;
    safe.resize(cut);
  }
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  return safe.empty() ? "_" : safe;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Windows opens a device for these names, whatever their extension.
bool isWindowsDeviceName(const std::string& stem) {
  std::string name = upper(stem.substr(0, stem.find('.')));
  static const std::set<std::string> devices = {"CON", "PRN", "AUX", "NUL"};
  if (devices.count(name)) return true;
  return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace

std::vector<std::string> pairFileNames(
    const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<std::string> names;
  std::set<std::string> taken;  // in upper case
  for (const auto& [item, target] : pairs) {
    std::string stem = safePart(item) + "-" + safePart(target);
    if (isWindowsDeviceName(stem)) stem = "_" + stem;
    std::string name = stem + ".env";
    for (int n = 2; taken.count(upper(name)); ++n) {
      name = stem + " (" + std::to_string(n) + ").env";
    }
    taken.insert(upper(name));
    names.push_back(name);
  }
  return names;
}
