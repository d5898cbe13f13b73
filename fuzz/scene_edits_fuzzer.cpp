// Sequences of scene edits, each with one of its allocations (and every one
// after it) failing or none. The input is a scene text, a NUL byte, then the
// edit script; an empty scene text stands for the default scene.
//
// After every edit: the document's heap is exactly its record, its line
// nodes and their texts (nothing leaks, nothing is released twice); an edit
// that met a failing allocation, or reported failure, left the document
// exactly as it was; an edit that could be made was made, and gave the
// result it promises; a key list whose count matched its keys still does,
// and no edit changed the key lists of another object's block.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "failing_allocation/failing_allocation.h"
#include "fuzz/block_model.h"
#include "fuzz/document_checks.h"
#include "fuzz/invariant.h"
#include "fuzz/scratch_file.h"
#include "scene/scene.h"

namespace {

inline constexpr int MOST_EDITS = 40;
inline constexpr long MOST_ALLOCATIONS_BEFORE_FAILURE = 24;
inline constexpr std::size_t LONGEST_NAME = 24;

// The "%f" and "%d" texts the edits write, in the C locale.
template <typename... Values>
std::string formatted(const char* format, Values... values) {
  char buffer[4096];
  int length = std::snprintf(buffer, sizeof buffer, format, values...);
  require(length >= 0 && static_cast<std::size_t>(length) < sizeof buffer,
          "an expected text fits the harness's buffer");
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::vector<SceneLine*> objectLinesOf(const SceneDocument* document) {
  std::vector<SceneLine*> objects;
  for (SceneLine* line : requireWholeList(document)) {
    if (line->kind == LINE_OBJECT) objects.push_back(line);
  }
  return objects;
}

// One of `lines`, chosen by the script; null when there are none.
SceneLine* pick(FuzzedDataProvider& script, const std::vector<SceneLine*>& lines) {
  if (lines.empty()) return nullptr;
  return lines[script.ConsumeIntegralInRange<std::size_t>(0, lines.size() - 1)];
}

// True when `line` lies in the block of `objectLine` before its
// "ShadowOptions" (anywhere after it when it has none): a line inserted after
// `line` lands inside that block.
bool insideBlock(const SceneLine* objectLine, const SceneLine* line) {
  for (const SceneLine* walk = objectLine; walk != nullptr; walk = walk->next) {
    if (walk == line) return true;
    if (compareKeyword(walk->text, "ShadowOptions") == 0) return false;
  }
  return false;
}

// The two key lists of every object block, by object line.
struct BlockLists {
  KeyListReading motion;
  KeyListReading dissolve;
};
std::map<const SceneLine*, BlockLists> blockListsOf(const SceneDocument* document) {
  std::map<const SceneLine*, BlockLists> lists;
  for (const SceneLine* object : objectLinesOf(document)) {
    lists[object] = {motionOf(object), dissolveOf(object)};
  }
  return lists;
}

std::vector<std::string> textsOf(const std::vector<const SceneLine*>& lines) {
  std::vector<std::string> texts;
  for (const SceneLine* line : lines) texts.emplace_back(line->text);
  return texts;
}

// The texts of the `count` lines after `line`.
std::vector<std::string> textsAfter(const SceneLine* line, std::size_t count) {
  std::vector<std::string> texts;
  for (const SceneLine* walk = line->next; walk != nullptr && texts.size() < count;
       walk = walk->next) {
    texts.emplace_back(walk->text);
  }
  return texts;
}

const SceneLine* lineAfter(const SceneLine* line, std::size_t steps) {
  while (line != nullptr && steps-- > 0) line = line->next;
  return line;
}

class EditRun {
 public:
  EditRun(SceneDocument* document, FuzzedDataProvider& script)
      : document_(document), script_(script) {}
  ~EditRun() { freeScene(document_); }
  EditRun(const EditRun&) = delete;
  EditRun& operator=(const EditRun&) = delete;

  void runScript() {
    for (int edit = 0; edit < MOST_EDITS && script_.remaining_bytes() > 0; ++edit) runOneEdit();
  }

 private:
  // What the chosen edit did, for the checks common to every edit.
  struct Outcome {
    bool succeeded = false;
    bool metFailure = false;
    bool possible = false;                 // the edit could be made with enough memory
    std::vector<const SceneLine*> exempt;  // object lines whose lists it may change
    bool replacedDocument = false;         // the document is a new one
  };

  void runOneEdit() {
    const DocumentSnapshot before = snapshotOf(document_);
    const long liveBefore = liveAllocations();
    const std::map<const SceneLine*, BlockLists> listsBefore = blockListsOf(document_);
    failAt_ = script_.ConsumeBool()
                  ? script_.ConsumeIntegralInRange<long>(1, MOST_ALLOCATIONS_BEFORE_FAILURE)
                  : 0;
    Outcome outcome;
    switch (script_.ConsumeIntegralInRange(0, 10)) {
      case 0: outcome = addObject(addLoadObject, "LoadObject "); break;
      case 1: outcome = addObject(addNullObject, "AddNullObject "); break;
      case 2: outcome = copySelectedObject(); break;
      case 3: outcome = copyBlockAt(); break;
      case 4: outcome = setParent(); break;
      case 5: outcome = addKeyToMotion(); break;
      case 6: outcome = dropKeyFromMotion(); break;
      case 7: outcome = addKeyToDissolve(); break;
      case 8: outcome = setNumber(); break;
      case 9: outcome = readBack(); break;
      default: outcome = makeDefaultScene(); break;
    }
    std::size_t lines = requireWholeList(document_).size();
    require(liveAllocations() == 1 + 2 * static_cast<long>(lines),
            "the heap holds exactly the document's record, nodes and texts");
    if (outcome.metFailure) require(!outcome.succeeded, "an edit whose allocation failed fails");
    if (outcome.possible && !outcome.metFailure) {
      require(outcome.succeeded, "an edit that can be made, with memory enough, is made");
    }
    if (!outcome.succeeded) {
      require(snapshotOf(document_) == before, "a failed edit leaves the document as it was");
      require(liveAllocations() == liveBefore, "a failed edit gives back all it took");
      return;
    }
    if (outcome.replacedDocument) return;
    requireObjectLinesClassified();
    requireOtherListsKept(listsBefore, outcome.exempt);
  }

  // Runs `edit` with the chosen allocation failing; fills in the outcome's
  // result and whether the failure was met.
  template <typename Edit>
  void runFailing(Outcome* outcome, Edit edit) {
    failAllocationsFrom(failAt_);
    outcome->succeeded = edit();
    outcome->metFailure = failAt_ > 0 && allocationsAttempted() >= failAt_;
    failAllocationsFrom(0);
  }

  // Edits other than those that add objects do not classify, so no edit may
  // add, remove or rewrite an object line behind the classification's back:
  // the lines classified as objects are exactly those that read as objects,
  // still numbered in order.
  void requireObjectLinesClassified() {
    std::int32_t objects = 0;
    for (const SceneLine* line : requireWholeList(document_)) {
      bool readsAsObject = expectedKind(line->text) == LINE_OBJECT;
      require((line->kind == LINE_OBJECT) == readsAsObject,
              "the lines classified as objects are those that read as objects");
      if (readsAsObject) require(line->objectNumber == ++objects, "object numbers stay in order");
    }
    require(document_->nextObjectNumber == objects + 1, "nextObjectNumber stays one more");
  }

  // A whole key list that the edit was not allowed to change is unchanged
  // (the same lines, the same count); a missing one is still missing.
  void requireOtherListsKept(const std::map<const SceneLine*, BlockLists>& before,
                             const std::vector<const SceneLine*>& exempt) {
    for (const auto& [object, lists] : before) {
      bool isExempt = false;
      for (const SceneLine* line : exempt) isExempt = isExempt || line == object;
      if (isExempt) continue;
      if (lists.motion.shape != KeyListShape::OTHER) {
        require(motionOf(object) == lists.motion, "an edit leaves other blocks' motions alone");
      }
      if (lists.dissolve.shape != KeyListShape::OTHER) {
        require(dissolveOf(object) == lists.dissolve,
                "an edit leaves other blocks' dissolve envelopes alone");
      }
    }
  }

  // Object lines whose blocks a line inserted after `anchor` lands in.
  std::vector<const SceneLine*> blocksHolding(const SceneLine* anchor) {
    std::vector<const SceneLine*> holding;
    for (const SceneLine* object : objectLinesOf(document_)) {
      if (insideBlock(object, anchor)) holding.push_back(object);
    }
    return holding;
  }

  // Object lines whose blocks share lines with the block of `object` (a
  // block holding another object line before its "ShadowOptions" holds that
  // object's lines too), `object` included.
  std::vector<const SceneLine*> blocksSharingLines(const SceneLine* object) {
    std::vector<const SceneLine*> sharing;
    for (const SceneLine* other : objectLinesOf(document_)) {
      if (insideBlock(other, object) || insideBlock(object, other)) sharing.push_back(other);
    }
    return sharing;
  }

  std::string scriptName() { return script_.ConsumeRandomLengthString(LONGEST_NAME); }

  SceneLine* pickObject() { return pick(script_, objectLinesOf(document_)); }
  SceneLine* pickAnyLine() { return pick(script_, requireWholeList(document_)); }

  Outcome addObject(SceneLine* (*add)(SceneDocument*, SceneLine*, const char*),
                    const char* keyword) {
    SceneLine* after = nullptr;
    switch (script_.ConsumeIntegralInRange(0, 2)) {
      case 0: after = objectInsertPoint(document_); break;
      case 1: after = pickAnyLine(); break;
      default: break;
    }
    bool named = script_.ConsumeBool();
    std::string name = scriptName().c_str();  // a name ends at its first NUL
    const SceneLine* successor = after != nullptr ? after->next : nullptr;
    std::size_t linesBefore = requireWholeList(document_).size();
    std::int32_t objectsBefore = document_->nextObjectNumber;

    Outcome outcome;
    outcome.possible = after != nullptr;
    if (after != nullptr) outcome.exempt = blocksHolding(after);
    SceneLine* result = nullptr;
    runFailing(&outcome, [&] {
      result = add(document_, after, named ? name.c_str() : nullptr);
      return result != nullptr;
    });
    if (!outcome.succeeded) return outcome;
    require(result == after, "adding an object returns the line it follows");
    std::vector<std::string> expected = {
        std::string(keyword) + (named ? name : "") + "\n",
        "ShowObject 8 7\n",
        "ObjectMotion (unnamed)\n",
        "  9\n",
        "  1\n",
        "  0 0 0 0 0 0 1 1 1\n",
        "  0 0 0 0 0\n",
        "EndBehavior 1\n",
        "ShadowOptions 7\n",
        "\n",
    };
    require(textsAfter(after, expected.size()) == expected, "a new block holds the default lines");
    require(lineAfter(after, expected.size() + 1) == successor,
            "a new block stands between the line given and its old successor");
    require(requireWholeList(document_).size() == linesBefore + expected.size(),
            "adding an object adds exactly its ten lines");
    requireClassified(document_);
    require(document_->nextObjectNumber == objectsBefore + 1, "adding an object counts one more");
    return outcome;
  }

  Outcome copySelectedObject() {
    SceneLine* chosen = pickObject();
    std::string name;
    if (chosen != nullptr && script_.ConsumeBool()) {
      const char* argument = argumentOf(chosen->text);
      name = argument != nullptr ? argument : "";
      name.resize(script_.ConsumeIntegralInRange<std::size_t>(0, name.size()));
    } else {
      name = scriptName().c_str();
    }
    bool named = script_.ConsumeIntegralInRange(0, 7) != 0;
    int ordinal = script_.ConsumeIntegralInRange(-1, 4);
    SceneLine* source = named ? findObjectLine(document_, name.c_str(), ordinal) : nullptr;
    return copyBlock(source, [&] {
      return copyObject(document_, named ? name.c_str() : nullptr, ordinal);
    }, nullptr);
  }

  Outcome copyBlockAt() {
    SceneLine* first = script_.ConsumeBool() ? pickObject() : pickAnyLine();
    if (first == nullptr) return {};
    SceneLine* copy = nullptr;
    Outcome outcome = copyBlock(first, [&] {
      copy = copyObjectBlock(document_, first);
      return copy != nullptr;
    }, &copy);
    return outcome;
  }

  // The checks of a copy of the block that begins at `source` (null when no
  // object was selected); `copy`, when not null, is where the edit returns
  // its copy of `source`.
  template <typename Copy>
  Outcome copyBlock(SceneLine* source, Copy copyEdit, SceneLine** copy) {
    SceneLine* insertion = objectInsertPoint(document_);
    std::vector<const SceneLine*> block =
        source != nullptr ? blockLinesOf(source) : std::vector<const SceneLine*>();
    std::vector<std::string> blockTexts = textsOf(block);
    const SceneLine* successor = insertion != nullptr ? insertion->next : nullptr;
    std::size_t linesBefore = requireWholeList(document_).size();

    Outcome outcome;
    outcome.possible = insertion != nullptr && !block.empty() &&
                       (!insideBlock(source, insertion) || insertion == block.back());
    if (insertion != nullptr) outcome.exempt = blocksHolding(insertion);
    runFailing(&outcome, copyEdit);
    if (!outcome.succeeded) return outcome;
    require(outcome.possible, "a copy is made only of a whole block to an insertion point");
    require(textsAfter(insertion, block.size()) == blockTexts,
            "a copy repeats every line of the block after the insertion point");
    require(lineAfter(insertion, block.size() + 1) == successor,
            "a copy ends before the insertion point's old successor");
    require(requireWholeList(document_).size() == linesBefore + block.size(),
            "a copy adds exactly the block's lines");
    if (copy != nullptr) require(*copy == insertion->next, "copyObjectBlock returns the copy");
    requireClassified(document_);
    return outcome;
  }

  Outcome setParent() {
    SceneLine* object = pickObject();
    if (object == nullptr) return {};
    auto number = script_.ConsumeIntegral<std::int32_t>();
    std::vector<const SceneLine*> block = blockLinesOf(object);
    std::vector<const SceneLine*> parents = parentLinesOf(object);
    std::size_t linesBefore = requireWholeList(document_).size();

    Outcome outcome;
    outcome.possible = !block.empty() && (parents.empty() || argumentOf(parents[0]->text));
    outcome.exempt = blocksSharingLines(object);
    runFailing(&outcome, [&] { return setParentObject(object, number); });
    if (!outcome.succeeded) return outcome;
    std::vector<const SceneLine*> parentsAfter = parentLinesOf(object);
    require(!parentsAfter.empty() &&
                std::string(argumentOf(parentsAfter[0]->text)) == formatted("%d\n", number),
            "setParentObject leaves the block's parent line naming the number");
    if (parents.empty()) {
      require(parentsAfter[0]->next == block.back(), "a new parent line stands before the end");
      require(requireWholeList(document_).size() == linesBefore + 1,
              "a new parent line is the one line added");
    } else {
      require(parentsAfter[0] == parents[0], "an existing parent line is rewritten");
      require(requireWholeList(document_).size() == linesBefore, "a rewrite adds no line");
    }
    return outcome;
  }

  Outcome addKeyToMotion() {
    SceneLine* object = pickObject();
    if (object == nullptr) return {};
    double values[9];
    for (double& value : values) value = script_.ConsumeFloatingPoint<double>();
    std::int32_t frame = script_.ConsumeBool() ? script_.ConsumeIntegralInRange(0, 60)
                                               : script_.ConsumeIntegral<std::int32_t>();
    auto linear = script_.ConsumeIntegral<std::uint8_t>();
    auto tension = script_.ConsumeIntegral<std::int32_t>();
    auto continuity = script_.ConsumeIntegralInRange(-1, 1);
    auto bias = script_.ConsumeIntegral<std::int32_t>();
    KeyListReading before = motionOf(object);

    Outcome outcome;
    outcome.possible = before.shape == KeyListShape::WHOLE;
    outcome.exempt = blocksSharingLines(object);
    runFailing(&outcome, [&] {
      return addMotionKey(object, values[0], values[1], values[2], values[3], values[4],
                          values[5], values[6], values[7], values[8], frame, linear, tension,
                          continuity, bias);
    });
    if (!outcome.succeeded || before.shape != KeyListShape::WHOLE) return outcome;
    KeyListReading after = motionOf(object);
    long expectedCount = frame == 0 ? 1 : before.count + 1;
    require(after.shape == KeyListShape::WHOLE && after.count == expectedCount,
            "a motion key raises the count by one, or restarts it at 1 for frame 0");
    std::vector<const SceneLine*> kept(after.keyLines.begin(), after.keyLines.end() - 2);
    require(frame == 0 || kept == before.keyLines, "a motion key keeps the keys before it");
    std::vector<std::string> key = {
        formatted("  %f %f %f %f %f %f %f %f %f\n", values[0], values[1], values[2], values[3],
                  values[4], values[5], values[6], values[7], values[8]),
        formatted("  %d %d %d %d %d\n", frame, static_cast<int>(linear), tension, continuity,
                  bias)};
    require(textsOf({after.keyLines.end() - 2, after.keyLines.end()}) == key,
            "a motion key is written as its values line and its frame line");
    return outcome;
  }

  Outcome dropKeyFromMotion() {
    SceneLine* object = pickObject();
    if (object == nullptr) return {};
    KeyListReading before = motionOf(object);
    bool whole = before.shape == KeyListShape::WHOLE;

    Outcome outcome;
    outcome.possible = whole && before.count > 0;
    outcome.exempt = blocksSharingLines(object);
    runFailing(&outcome, [&] { return dropLastMotionKey(object); });
    if (whole && before.count == 0) require(!outcome.succeeded, "a motion without keys drops none");
    if (!outcome.succeeded || !whole) return outcome;
    KeyListReading after = motionOf(object);
    std::vector<const SceneLine*> kept(before.keyLines.begin(), before.keyLines.end() - 2);
    require(after.shape == KeyListShape::WHOLE && after.count == before.count - 1 &&
                after.keyLines == kept,
            "dropping a key removes its two lines and counts it down");
    return outcome;
  }

  Outcome addKeyToDissolve() {
    SceneLine* object = pickObject();
    if (object == nullptr) return {};
    double value = script_.ConsumeFloatingPoint<double>();
    std::int32_t frame = script_.ConsumeBool() ? script_.ConsumeIntegralInRange(0, 60)
                                               : script_.ConsumeIntegral<std::int32_t>();
    KeyListReading before = dissolveOf(object);
    const SceneLine* anchor = findLineBefore(object, findShadowOptions(object), "EndBehavior");

    Outcome outcome;
    outcome.possible = before.shape == KeyListShape::WHOLE ||
                       (before.shape == KeyListShape::MISSING && anchor != nullptr &&
                        anchor->next != nullptr);
    outcome.exempt = blocksSharingLines(object);
    runFailing(&outcome, [&] { return addDissolveKey(object, value, frame); });
    if (before.head != nullptr && compareKeyword(before.head->text, "ObjDissolve (envelope)")) {
      require(!outcome.succeeded, "a constant dissolve takes no key");
    }
    if (!outcome.succeeded || before.shape == KeyListShape::OTHER) return outcome;
    KeyListReading after = dissolveOf(object);
    bool created = before.shape == KeyListShape::MISSING;
    require(after.shape == KeyListShape::WHOLE && after.count == (created ? 1 : before.count + 1),
            "a dissolve key raises the envelope's count by one, a new envelope's to 1");
    std::vector<std::string> key = {formatted("  %f\n", value),
                                    formatted("  %d 0 0 0 0\n", created ? 0 : frame)};
    require(textsOf({after.keyLines.end() - 2, after.keyLines.end()}) == key,
            "a dissolve key is written as its value line and its frame line");
    return outcome;
  }

  Outcome setNumber() {
    SceneLine* line = pickAnyLine();
    if (line == nullptr) return {};
    auto value = script_.ConsumeIntegral<std::int32_t>();
    const char* argument = argumentOf(line->text);
    std::string keyword(line->text, argument != nullptr ? argument - line->text : 0);
    std::size_t linesBefore = requireWholeList(document_).size();

    Outcome outcome;
    outcome.possible = argument != nullptr;
    outcome.exempt = blocksHolding(line);
    runFailing(&outcome, [&] { return setArgumentNumber(line, value); });
    if (!outcome.succeeded) return outcome;
    require(std::string(line->text) == keyword + formatted("%d\n", value),
            "setArgumentNumber keeps the keyword and its blank and writes the number");
    require(requireWholeList(document_).size() == linesBefore, "setArgumentNumber adds no line");
    return outcome;
  }

  // Writes the document to a file and reads it back in its place.
  Outcome readBack() {
    const std::string path = scratchPath("edited.lws");
    const std::string text = documentText(document_);
    require(writeScene(document_, path.c_str()), "writeScene to a scratch file succeeds");
    require(readFileBytes(path) == text, "writeScene writes every line's text");

    Outcome outcome;
    outcome.possible = true;
    SceneDocument* read = nullptr;
    runFailing(&outcome, [&] {
      read = readScene(path.c_str());
      return read != nullptr;
    });
    if (!outcome.succeeded) return outcome;
    requirePiecesOf(read, text);
    requireClassified(read);
    freeScene(document_);
    document_ = read;
    outcome.replacedDocument = true;
    return outcome;
  }

  Outcome makeDefaultScene() {
    Outcome outcome;
    outcome.possible = true;
    SceneDocument* made = nullptr;
    runFailing(&outcome, [&] {
      made = newScene();
      return made != nullptr;
    });
    if (!outcome.succeeded) return outcome;
    requireClassified(made);
    require(requireWholeList(made).size() == 76 && made->nextObjectNumber == 1,
            "the default scene holds 76 lines and no object");
    freeScene(made);
    return outcome;
  }

  SceneDocument* document_;
  FuzzedDataProvider& script_;
  long failAt_ = 0;
};

// The document the script edits: the default scene, or the scene text read
// from a file.
SceneDocument* firstDocument(const std::string& sceneText) {
  if (sceneText.empty()) return newScene();
  const std::string path = scratchPath("scene.lws");
  writeFileBytes(path, sceneText);
  return readScene(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t nul = bytes.find('\0');
  if (nul == std::string::npos) return 0;
  const long liveBefore = liveAllocations();
  SceneDocument* document = firstDocument(bytes.substr(0, nul));
  require(document != nullptr, "a scene text without NUL reads");
  FuzzedDataProvider script(data + nul + 1, size - nul - 1);
  {
    EditRun run(document, script);
    run.runScript();
  }
  require(liveAllocations() == liveBefore, "freeScene gives back everything the edits made");
  return 0;
}
