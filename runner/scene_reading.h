// Reading the scene file quorvel-run plays, also from a pipe or from
// standard input: a named pipe (FIFO) that no program opens to write is
// given up on after a few seconds instead of waiting forever, and a shell's
// "<(command)" reads as a file. A scene that cannot be read is refused with
// the reason the scene library gives (openSceneFile).

#ifndef QUORVEL_RUNNER_SCENE_READING_H_
#define QUORVEL_RUNNER_SCENE_READING_H_

#include <string>

struct SceneDocument;

// How long a scene pipe may stay without a writer.
inline constexpr int SCENE_PIPE_WAIT_MILLISECONDS = 3000;

// The scene path that stands for standard input.
inline constexpr char STANDARD_INPUT_SCENE[] = "-";

// What messages call the scene at `path`: "standard input" for
// STANDARD_INPUT_SCENE, else the path.
std::string sceneSourceName(const std::string& path);

// Reads the scene file at `path` (standard input for STANDARD_INPUT_SCENE)
// into a new classified document owned by the caller (release it with
// freeScene). On failure returns null and sets `error` to a message naming
// the scene and why: "cannot read scene file PATH: " (or "cannot read the
// scene from standard input: ") and the system's reason, a NUL byte and its
// offset, or a pipe no writer opened within SCENE_PIPE_WAIT_MILLISECONDS;
// "PATH begins with a UTF-8 byte-order mark ..." or "PATH ends its lines
// with CR alone ..."; "PATH is not a scene file: it does not begin with
// "LWSC"".
SceneDocument* readSceneFile(const std::string& path, std::string* error);

#endif  // QUORVEL_RUNNER_SCENE_READING_H_
