// Reading the scene file quorvel-run plays, also from a pipe: a named pipe
// (FIFO) that no program opens to write is given up on after a few seconds
// instead of waiting forever, and a shell's "<(command)" reads as a file.

#ifndef QUORVEL_RUNNER_SCENE_READING_H_
#define QUORVEL_RUNNER_SCENE_READING_H_

#include <string>

struct SceneDocument;

// How long a scene pipe may stay without a writer.
inline constexpr int SCENE_PIPE_WAIT_MILLISECONDS = 3000;

// Reads the scene file at `path` into a new classified document owned by the
// caller (release it with freeScene). On failure returns null and sets
// `error` to a message naming the path: it cannot be opened or read, is not
// a scene text the library can hold, or is a pipe no writer opened within
// SCENE_PIPE_WAIT_MILLISECONDS.
SceneDocument* readSceneFile(const std::string& path, std::string* error);

#endif  // QUORVEL_RUNNER_SCENE_READING_H_
