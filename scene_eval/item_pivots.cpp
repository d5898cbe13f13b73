// Reading an item's pivot.

#include "scene_eval/item_placement.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

bool itemPivot(const std::vector<FileLine>& lines, const ItemLines& item, int version,
               const Complaint& complaint, Vector3* pivot) {
  const char* keyword = version <= 2 ? "PivotPoint" : "PivotPosition";
  *pivot = {};
  std::size_t pivotLine = findInItem(lines, item, keyword);
  if (pivotLine == item.end) return true;
  const FileLine& line = lines[pivotLine];
  std::vector<double> numbers;
  if (!parseNumbers(argumentOf(line.text), &numbers) || numbers.size() != 3) {
    complaint.at(line.number, std::string("expected three numbers after ") + keyword +
                                  ", found " + quotedLine(line.text));
    return false;
  }
  *pivot = {numbers[0], numbers[1], numbers[2]};
  return true;
}

}  // namespace scene_eval
