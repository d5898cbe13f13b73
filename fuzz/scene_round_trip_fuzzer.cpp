// Any bytes, as a scene file, read into a document and written back: the
// document holds exactly the file's bytes in well-formed pieces, classified,
// its searches agree with its kinds, and writing it gives the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/document_checks.h"
#include "fuzz/invariant.h"
#include "fuzz/scratch_file.h"
#include "scene/scene.h"

namespace {

// objectInsertPoint is the line before the first ambient line, and
// findObjectLine with the empty name walks the object lines in order until
// one without a blank.
void requireSearchesAgree(SceneDocument* document) {
  const SceneLine* ambient = nullptr;
  std::vector<const SceneLine*> objects;
  bool objectWithoutBlank = false;
  for (const SceneLine* line : requireWholeList(document)) {
    if (line->kind == LINE_AMBIENT && ambient == nullptr) ambient = line;
    if (line->kind == LINE_OBJECT && !objectWithoutBlank) {
      if (argumentOf(line->text) == nullptr) {
        objectWithoutBlank = true;
      } else {
        objects.push_back(line);
      }
    }
  }
  require(objectInsertPoint(document) == (ambient != nullptr ? ambient->prev : nullptr),
          "objectInsertPoint is the line before the first ambient line");
  for (std::size_t i = 0; i < objects.size(); ++i) {
    require(findObjectLine(document, "", static_cast<int>(i) + 1) == objects[i],
            "findObjectLine with the empty name finds the object lines in order");
  }
  require(findObjectLine(document, "", static_cast<int>(objects.size()) + 1) == nullptr,
          "findObjectLine past the last object, or past one without a blank, is null");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string input = scratchPath("input.lws");
  const std::string output = scratchPath("output.lws");
  writeFileBytes(input, bytes);

  SceneDocument* document = readScene(input.c_str());
  bool holdsNul = bytes.find('\0') != std::string::npos;
  require((document == nullptr) == holdsNul, "readScene refuses a file exactly when it holds NUL");
  if (document == nullptr) return 0;

  requirePiecesOf(document, bytes);
  requireClassified(document);
  requireSearchesAgree(document);

  require(writeScene(document, output.c_str()), "writeScene to a scratch file succeeds");
  require(readFileBytes(output) == bytes, "writing the document back gives the same bytes");
  require(scratchFileNames() == std::vector<std::string>{"input.lws", "output.lws"},
          "writeScene leaves nothing beside its file");
  freeScene(document);
  return 0;
}
