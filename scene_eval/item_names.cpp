// Items as both programs name, list and find them: one wording of kinds,
// one listed form of names, one way from what a user typed to an item, and
// one hint for a name that selects none.

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "scene_eval/scene_eval.h"

namespace scene_eval {

namespace {

// The most names an unknown-name hint offers.
constexpr std::size_t MOST_CANDIDATES = 10;

// Where a name ends up in the hint's order: names equal but for case first,
// then by edit distance, then in the scene's order.
struct Candidate {
  bool equalButForCase = false;
  std::size_t distance = 0;
  std::size_t index = 0;
};

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      std::size_t substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[b.size()];
}

namespace {

std::string escapeOf(unsigned char c) {
  switch (c) {
    case '\t':
      return "\\t";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\\':
      return "\\\\";
    default:
      break;
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
  return hex;
}

bool escaped(unsigned char c) { return c < 0x20 || c == 0x7F || c == '\\'; }

std::string quoted(const std::string& name) { return "\"" + listedName(name) + "\""; }

}  // namespace

const char* kindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::OBJECT:
      return "object";
    case ItemKind::LIGHT:
      return "light";
    case ItemKind::CAMERA:
      return "camera";
    case ItemKind::BONE:
      return "bone";
  }
  return "item";
}

std::string listedName(const std::string& name) {
  std::string listed = !name.empty() && name.front() == '#' ? "\\" : "";
  for (unsigned char c : name) {
    listed += escaped(c) ? escapeOf(c) : std::string(1, static_cast<char>(c));
  }
  return listed;
}

std::optional<std::size_t> findItem(const std::vector<ItemSpec>& items, const std::string& typed) {
  if (!typed.empty() && typed.front() == '#') {
    std::string id = typed.substr(1);
    for (std::size_t index = 0; index < items.size(); ++index) {
      if (!items[index].fileId.empty() && items[index].fileId == id) return index;
    }
  }
  // The listed form first: as the form is one to one, every name a listing
  // prints then selects its own item, even where it is another's exact name
  // (`a\tb` is listed for the name of "a", a tab and "b", and it is also
  // the exact name of "a", a backslash, "t" and "b").
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (listedName(items[index].name) == typed) return index;
  }
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].name == typed) return index;
  }
  return std::nullopt;
}

std::string unknownItemHint(const std::vector<ItemSpec>& items, const std::string& typed,
                            const std::string& listCommand) {
  if (items.empty()) return "the scene has no items";
  std::string folded = lowerCase(typed);
  std::vector<Candidate> candidates;
  for (std::size_t index = 0; index < items.size(); ++index) {
    std::string name = lowerCase(items[index].name);
    candidates.push_back({name == folded, editDistance(name, folded), index});
  }
  auto closer = [](const Candidate& a, const Candidate& b) {
    if (a.equalButForCase != b.equalButForCase) return a.equalButForCase;
    if (a.distance != b.distance) return a.distance < b.distance;
    return a.index < b.index;
  };
  std::size_t shown = std::min(MOST_CANDIDATES, candidates.size());
  std::partial_sort(candidates.begin(), candidates.begin() + shown, candidates.end(), closer);
  candidates.resize(shown);

  std::string hint;
  std::size_t next = 0;
  if (candidates.front().equalButForCase) {
    hint = "did you mean " + quoted(items[candidates.front().index].name) + "?";
    next = 1;
  }
  std::string others;
  for (std::size_t i = next; i < candidates.size(); ++i) {
    others += (others.empty() ? "" : ", ") + quoted(items[candidates[i].index].name);
  }
  if (!others.empty()) hint += hint.empty() ? "the nearest: " + others : " Also near: " + others;
  hint += hint.back() == '?' ? " " : "; ";
  return hint + listCommand + " shows all " + std::to_string(items.size());
}

}  // namespace scene_eval
