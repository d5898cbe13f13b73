#include "scene_tool/scene_edits.h"

#include <cstdlib>
#include <vector>

#include "scene/version_edits.h"
#include "scene_eval/item_facts.h"
#include "scene_eval/scene_eval.h"
#include "scene_tool/file_lines.h"
#include "scene_tool/named_items.h"
#include "scene_tool/scene_files.h"

namespace {

using scene_eval::ItemKind;

// A scene line holds at most this many bytes, its newline included: a longer
// one would read back as several lines.
constexpr std::size_t LONGEST_LINE = SCENE_BUFFER_SIZE - 1;

// The longest line text quoted whole in a message.
constexpr std::size_t LONGEST_QUOTED = 60;

// A name or a line's text as messages quote it: in the form listings give
// names, so that a quoted name selects its item and no control character
// reaches the terminal.
std::string quoted(const std::string& text) {
  return "\"" + scene_eval::listedName(text) + "\"";
}

std::string quotedLine(const std::string& text) {
  if (text.size() <= LONGEST_QUOTED) return quoted(text);
  return "\"" + text.substr(0, LONGEST_QUOTED) + "...\"";
}

// The first word of `text`, its leading blanks aside.
std::string firstWord(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_first_of(" \t", begin) - begin);
}

// The start of a new object's line in `version`, before its name or path.
std::string objectLineStart(int version, bool null) {
  constexpr int FIRST_VERSION_WITH_LAYERS = 3;
  constexpr int FIRST_VERSION_WITH_IDS = 4;
  std::string start = null                                  ? "AddNullObject "
                      : version >= FIRST_VERSION_WITH_LAYERS ? "LoadObjectLayer 1 "
                                                             : "LoadObject ";
  if (version >= FIRST_VERSION_WITH_IDS) start += "10000000 ";
  return start;
}

// One edit of one scene: the document, what was asked, and its items as the
// runner names them before the edit.
class SceneEdit {
 public:
  SceneEdit(SceneDocument* document, const SceneOptions& options)
      : document_(document), options_(options), file_(sceneFileName(options.file)) {}

  bool run(EditOutcome* outcome, std::string* error) {
    outcome->status = EXIT_EDIT_REFUSED;
    if (!before_.load(document_, file_, error)) return false;
    bool made = dispatch(outcome, error);
    outcome->status = refusalStatus_;
    return made && checkBakes(error);
  }

 private:
  bool dispatch(EditOutcome* outcome, std::string* error) {
    switch (options_.command) {
      case SceneCommand::ADD_NULL:
      case SceneCommand::ADD_OBJECT:
        return addObject(outcome, error);
      case SceneCommand::COPY:
        return copy(outcome, error);
      case SceneCommand::PARENT:
        return parent(error);
      case SceneCommand::KEY:
        return key(error);
      case SceneCommand::DISSOLVE:
        return dissolve(error);
      default:
        return true;
    }
  }

  // "FILE:LINE: " for messages about a line of the scene; "FILE: " for none.
  std::string at(const SceneLine* line) const {
    if (!line) return file_ + ": ";
    return file_ + ":" + std::to_string(fileLineNumberOf(document_, line)) + ": ";
  }

  SceneLine* itemLine(std::size_t index) const {
    return fileLineAt(document_, before_.spec(index).line);
  }

  // A hint for a name that quorvel-scene took before items had the runner's
  // names: a loaded object's path, the whole argument of its object line.
  std::string oldNameHint(const std::string& name) const {
    for (std::size_t index = 0; index < before_.size(); ++index) {
      if (before_.spec(index).kind != ItemKind::OBJECT) continue;
      std::string text = fileLineText(itemLine(index));
      std::size_t blank = text.find(' ');
      if (blank != std::string::npos && text.substr(blank + 1) == name) {
        return "; items are named as quorvel-run --list-items names them: the object of line " +
               std::to_string(before_.spec(index).line) + " is " + quoted(before_.spec(index).name);
      }
    }
    return "";
  }

  // Sets `index` to the object `name` selects (the `ordinal`-th the file
  // names so, when `byGivenName`); false with `error` saying why there is none.
  bool findObject(const std::string& name, std::size_t* index, std::string* error,
                  bool byGivenName = false, int ordinal = 1) {
    std::optional<std::size_t> found =
        byGivenName ? before_.nthGivenName(name, ordinal) : before_.find(name);
    if (!found) {
      refusalStatus_ = EXIT_SCENE_TOOL_FAILED;
      if (byGivenName && ordinal > 1) {
        *error = file_ + ": the scene has fewer than " + std::to_string(ordinal) +
                 " objects named " + quoted(name);
        return false;
      }
      std::string hint = oldNameHint(name);
      *error = file_ + ": the scene has no object named " + quoted(name) +
               (hint.empty() ? "; " + before_.unknownNameHint(name, options_.file) : hint);
      return false;
    }
    ItemKind kind = before_.spec(*found).kind;
    if (kind != ItemKind::OBJECT) {
      *error = at(itemLine(*found)) + quoted(name) + " is a " + scene_eval::kindName(kind) +
               ", not an object: quorvel-scene copies, parents and keys objects only";
      return false;
    }
    *index = *found;
    return true;
  }

  // True when the library made an edit of the object `name`; false with
  // `error` saying why it refused.
  bool made(const EditResult& result, const std::string& name, const char* list,
            std::string* error) const {
    if (result.status == EDIT_DONE) return true;
    *error = refusalWords(result, name, list);
    return false;
  }

  // Why the library refused an edit of the object `name`. REQUIRES a
  // result other than EDIT_DONE.
  std::string refusalWords(const EditResult& result, const std::string& name,
                           const char* list) const {
    std::string where = at(result.line);
    switch (result.status) {
      case EDIT_DONE:
        break;
      case EDIT_OUT_OF_MEMORY:
        return file_ + ": out of memory";
      case EDIT_UNKNOWN_VERSION:
        return where + "the scene's version is not one from 1 to 5";
      case EDIT_NOT_IN_VERSION:
        return file_ + ":2: scene version " +
               std::to_string(sceneFormatVersion(document_)) + ": " + result.detail;
      case EDIT_NOT_AN_OBJECT:
        return where + quotedLine(fileLineText(result.line)) + " does not begin an object";
      case EDIT_NO_PLACE_FOR_OBJECT:
        return where + "the scene has no object and no AmbientColor line, before which objects go";
      case EDIT_UNREADABLE_LINE:
        return where + "expected " + result.detail + ", found " +
               quotedLine(fileLineText(result.line)) + " (in the lines of " + quoted(name) + ")";
      case EDIT_OBJECT_HAS_BONES:
        return where + quoted(name) +
               " has bones: a copy's bones would keep the IDs that name the original's";
      case EDIT_OWN_PARENT:
        return file_ + ": an object cannot be its own parent";
      case EDIT_NO_MOTION:
        return where + quoted(name) + " has no motion (ObjectMotion)";
      case EDIT_FRAME_BEFORE_FIRST:
        return file_ + ": frame " + std::to_string(options_.frame) +
               " is before the first frame, 0";
      case EDIT_FRAME_NOT_AFTER_LAST:
        return where + "the last " + list + " key of " + quoted(name) + " is at frame " +
               firstWord(fileLineText(result.line)) +
               "; a new key must come after it in a version 1 scene" +
               (options_.command == SceneCommand::KEY ? " (frame 0 starts the motion afresh)"
                                                      : "");
      case EDIT_FIRST_KEY_NOT_AT_0:
        return where + quoted(name) + " has no dissolve envelope yet: its first key stands at "
                                      "frame 0";
      case EDIT_CONSTANT_DISSOLVE:
        return where + quoted(name) + " has a constant dissolve, not an envelope that takes keys";
    }
    return where + "the edit cannot be made";
  }

  // Whether `name` can be written as a new object's name or path; false,
  // with `error` saying why, when it is empty, or holds a tab, a line end or
  // another control character, which would break a listing's row or the
  // scene's line. (An empty PATH is refused with the other empty paths,
  // before the scene is read.)
  bool checkName(const std::string& name, std::string* error) const {
    const char* what = options_.command == SceneCommand::ADD_NULL ? "NAME" : "PATH";
    if (name.empty()) {
      *error = std::string(what) + ": the name is empty";
      return false;
    }
    for (unsigned char c : name) {
      if (c >= 0x20 && c != 0x7F) continue;
      *error = std::string(what) + " \"" + scene_eval::listedName(name) + "\" holds " +
               (c == '\t' ? "a tab" : c == '\n' || c == '\r' ? "a line end"
                                                            : "a control character") +
               "; a name holds no control character, so that listings stay one item a line";
      return false;
    }
    return true;
  }

  bool addObject(EditOutcome* outcome, std::string* error) {
    bool null = options_.command == SceneCommand::ADD_NULL;
    const std::string& name = options_.name;
    if (!checkName(name, error)) {
      refusalStatus_ = EXIT_SCENE_TOOL_FAILED;
      return false;
    }
    std::string start = objectLineStart(sceneFormatVersion(document_), null);
    bakedBefore_ = chainBakes(std::nullopt);
    if (start.size() + name.size() + 1 > LONGEST_LINE) {
      *error = file_ + ": the object line would be longer than a scene line's " +
               std::to_string(LONGEST_LINE) + " bytes";
      return false;
    }
    EditResult result = null ? addNullObjectInVersion(document_, name.c_str())
                             : addLoadObjectInVersion(document_, name.c_str());
    if (!made(result, name, "", error)) return false;
    return reportNewObject(result.line, outcome, error);
  }

  bool copy(EditOutcome* outcome, std::string* error) {
    std::size_t source = 0;
    if (!findObject(options_.name, &source, error, options_.ordinalGiven, options_.ordinal)) {
      return false;
    }
    bakedBefore_ = chainBakes(source);
    EditResult result = copyObjectInVersion(document_, itemLine(source));
    if (!made(result, options_.name, "", error)) return false;
    return reportNewObject(result.line, outcome, error);
  }

  // Reads the new object back as the runner finds it, reports it as list
  // lists it, and notes every other item whose name it changed; false with
  // `error` saying why when it is not found so.
  bool reportNewObject(const SceneLine* objectLine, EditOutcome* outcome, std::string* error) {
    NamedItems after;
    if (!after.load(document_, file_, error)) return false;
    std::optional<std::size_t> added = after.atLine(fileLineNumberOf(document_, objectLine));
    if (!added || after.facts(*added).objectNumber != before_.objectCount() + 1) {
      *error = at(objectLine) + "the new object would not be found as the runner finds objects";
      return false;
    }
    outcome->report = after.listingLine(*added);
    edited_ = *added;
    for (std::size_t index = 0; index < after.size(); ++index) {
      if (index == *added) continue;
      const scene_eval::ItemSpec& was = before_.spec(index < *added ? index : index - 1);
      if (was.name != after.spec(index).name) {
        outcome->notes += "quorvel-scene: note: the " +
                          std::string(scene_eval::kindName(was.kind)) + " " + quoted(was.name) +
                          " is now named " + quoted(after.spec(index).name) + "\n";
      }
    }
    return true;
  }

  // Refuses hanging `child` below `parent` when it would close a loop of
  // parents, when `child` is `parent` or one of its ancestors: false with
  // `error` saying so.
  bool checkNoLoop(const std::vector<scene_eval::ItemParent>& parents, std::size_t child,
                   std::size_t parent, std::string* error) const {
    std::size_t item = parent;
    for (std::size_t steps = 0; steps <= parents.size(); ++steps) {
      std::optional<std::size_t> up = parents[item].parent;
      if (!up) return true;
      if (*up == child) {
        // A bone without a parent line hangs from its object: its own line says so.
        int line = parents[item].line ? parents[item].line : before_.spec(item).line;
        *error = file_ + ":" + std::to_string(line) + ": " +
                 quoted(options_.parent) + " hangs below " + quoted(options_.name) +
                 " already: the parents would go round in a circle";
        return false;
      }
      item = *up;
    }
    return true;
  }

  bool parent(std::string* error) {
    std::size_t child = 0;
    std::size_t parent = 0;
    if (!findObject(options_.name, &child, error) || !findObject(options_.parent, &parent, error)) {
      return false;
    }
    if (child == parent) {
      *error = file_ + ": an object cannot be its own parent";
      return false;
    }
    std::vector<scene_eval::ItemParent> parents;
    if (!scene_eval::sceneItemParents(document_, file_, &parents, error)) return false;
    if (!checkNoLoop(parents, child, parent, error)) return false;
    startEdit(child);
    EditResult result = setParentInVersion(document_, itemLine(child), itemLine(parent));
    if (!made(result, options_.name, "", error)) return false;
    if (!scene_eval::sceneItemParents(document_, file_, &parents, error)) return false;
    if (parents[child].parent != parent) {
      *error = at(itemLine(child)) + "the runner would not find " + quoted(options_.parent) +
               " as the parent of " + quoted(options_.name);
      return false;
    }
    return true;
  }

  // The key count of the version 1 motion of the object at `index`: the
  // line two after its "ObjectMotion" (after the channel count). Nothing
  // when its lines are not laid out so; the edit itself then says why.
  std::optional<long> version1KeyCount(std::size_t index) const {
    SceneLine* motion = findObjectMotion(itemLine(index));
    if (!motion || !motion->next || !motion->next->next) return std::nullopt;
    int motionLine = fileLineNumberOf(document_, motion);
    for (std::size_t other = 0; other < before_.size(); ++other) {
      int line = before_.spec(other).line;
      if (line > before_.spec(index).line && line < motionLine) return std::nullopt;
    }
    const char* text = motion->next->next->text;
    char* end = nullptr;
    long count = std::strtol(text, &end, 10);
    if (end == text) return std::nullopt;
    return count;
  }

  // A version 1 key at frame 0 starts the motion afresh: refused, unless
  // --replace-motion, when the motion holds more keys than the one it
  // replaces; false with `error` saying so.
  bool checkNoMotionLoss(std::size_t object, std::string* error) const {
    if (options_.frame != 0 || options_.replaceMotion || sceneFormatVersion(document_) != 1) {
      return true;
    }
    std::optional<long> count = version1KeyCount(object);
    if (!count || *count <= 1) return true;
    *error = at(itemLine(object)) + quoted(options_.name) + " has " + std::to_string(*count) +
             " motion keys, and a version 1 key at frame 0 starts the motion afresh: it would "
             "drop all " + std::to_string(*count) + "; give --replace-motion to do so";
    return false;
  }

  bool key(std::string* error) {
    std::size_t object = 0;
    if (!findObject(options_.name, &object, error)) return false;
    if (!checkNoMotionLoss(object, error)) return false;
    startEdit(object);
    const auto& [x, y, z] = options_.position;
    const auto& [heading, pitch, bank] = options_.rotation;
    const auto& [scaleX, scaleY, scaleZ] = options_.scale;
    KeyValues values = {{x, y, z, heading, pitch, bank, scaleX, scaleY, scaleZ}};
    return made(setMotionKeyInVersion(document_, itemLine(object), values, options_.frame,
                                      options_.linear),
                options_.name, "motion", error);
  }

  bool dissolve(std::string* error) {
    std::size_t object = 0;
    if (!findObject(options_.name, &object, error)) return false;
    startEdit(object);
    return made(
        setDissolveKeyInVersion(document_, itemLine(object), options_.value, options_.frame),
        options_.name, "dissolve", error);
  }

  // True when the runner would read the scene's items and parents and, when
  // given, bake the item at `index` (its chain of parents, the rest unread)
  // as the scene stands; `error` tells why not.
  bool chainBakes(std::optional<std::size_t> index, std::string* error = nullptr) const {
    std::string ignored;
    if (!error) error = &ignored;
    scene_eval::SceneReading reading;
    return reading.read(document_, file_, error) && reading.readParents(error) &&
           (!index || reading.evaluate({*index}, error));
  }

  // Notes the object an edit changes, and whether the runner bakes it before.
  void startEdit(std::size_t index) {
    edited_ = index;
    bakedBefore_ = chainBakes(index);
  }

  // An edit never turns an object the runner bakes into one it refuses: the
  // edited or added object is evaluated with the items it hangs from.
  // False with `error` saying so when it would.
  bool checkBakes(std::string* error) const {
    if (!bakedBefore_) return true;
    std::string why;
    if (chainBakes(edited_, &why)) return true;
    *error = "the edited scene would not bake with quorvel-run: " + why;
    return false;
  }

  SceneDocument* document_;
  const SceneOptions& options_;
  std::string file_;  // the scene's name in messages
  // The status of a refusal, when it is not the scene's content that refuses.
  int refusalStatus_ = EXIT_EDIT_REFUSED;
  NamedItems before_;
  bool bakedBefore_ = false;
  std::optional<std::size_t> edited_;  // the object edited or added, once known
};

}  // namespace

bool editScene(SceneDocument* document, const SceneOptions& options, EditOutcome* outcome,
               std::string* error) {
  return SceneEdit(document, options).run(outcome, error);
}
