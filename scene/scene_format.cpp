#include "scene/scene_format.h"

#include "scene/statements.h"

namespace {

constexpr int OLDEST_VERSION = 1;
constexpr int NEWEST_VERSION = 5;
constexpr double DEFAULT_FRAMES_PER_SECOND = 30;

}  // namespace

int sceneFormatVersion(const SceneDocument* document) {
  constexpr int MOST_WORDS = 2;
  SceneLine* second = document->first ? nextFileLine(document->first) : nullptr;
  Word words[MOST_WORDS];
  long version = 0;
  if (!second || lineWords(second, words, MOST_WORDS) != 1 || !readInteger(words[0], &version) ||
      version < OLDEST_VERSION || version > NEWEST_VERSION) {
    return 0;
  }
  return static_cast<int>(version);
}

EditResult versionOf(const SceneDocument* document, int* version) {
  *version = sceneFormatVersion(document);
  if (*version != 0) return {EDIT_DONE, nullptr, nullptr};
  return {EDIT_UNKNOWN_VERSION, document->first ? document->first->next : nullptr, nullptr};
}

EditResult secondsOfFrame(const SceneDocument* document, std::int32_t frame, double* seconds) {
  constexpr int RATE_WORDS = 2;
  double rate = DEFAULT_FRAMES_PER_SECOND;
  SceneLine* line = findStatement(document->first, nullptr, "FramesPerSecond");
  if (line) {
    Word words[RATE_WORDS];
    if (lineWords(line, words, RATE_WORDS) != RATE_WORDS || !readNumber(words[1], &rate) ||
        !(rate > 0)) {
      return {EDIT_UNREADABLE_LINE, line, "FramesPerSecond and a positive number"};
    }
  }
  *seconds = frame / rate;
  return {EDIT_DONE, nullptr, nullptr};
}
