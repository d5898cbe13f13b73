// A scene document's lines as the lines of its file, for messages that name
// them and for finding the line that begins an item: the document holds a
// file line longer than its read buffer as several lines, and the runner
// counts file lines.

#ifndef QUORVEL_SCENE_TOOL_FILE_LINES_H_
#define QUORVEL_SCENE_TOOL_FILE_LINES_H_

#include <string>

#include "scene/scene.h"

// The document line that begins file line `number` (from 1); null when the
// file has fewer lines. The document owns it.
SceneLine* fileLineAt(SceneDocument* document, int number);

// The number (from 1) of the file line that `line` belongs to.
int fileLineNumberOf(const SceneDocument* document, const SceneLine* line);

// The whole file line that begins at `line`, without its line end.
std::string fileLineText(const SceneLine* line);

#endif  // QUORVEL_SCENE_TOOL_FILE_LINES_H_
