// The listing lines both programs print, one item a line.

#include "scene_eval/scene_eval.h"

namespace scene_eval {

std::string listingLine(const ItemSpec& item, const std::vector<std::string>& moreFields) {
  std::string line = std::string(kindName(item.kind)) + '\t' + listedName(item.name) + '\t' +
                     (item.fileId.empty() ? "-" : item.fileId);
  for (const std::string& field : moreFields) line += '\t' + field;
  return line + '\n';
}

}  // namespace scene_eval
