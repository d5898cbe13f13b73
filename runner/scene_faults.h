// Why a scene could not be read, told in the system's words or by what is
// wrong with its bytes: the reason that follows "cannot read scene file X: "
// or that refuses a scene the library did read but the host would not.

#ifndef QUORVEL_RUNNER_SCENE_FAULTS_H_
#define QUORVEL_RUNNER_SCENE_FAULTS_H_

#include <string>

struct SceneDocument;

// Why the scene library could not read the file at `path`, found by opening
// and reading it again: the system's reason it cannot be opened or read
// ("No such file or directory", "Permission denied"), or "it holds a NUL
// byte at offset N, so it is not text". Reads the file without keeping it.
std::string unreadSceneFileReason(const std::string& path);

// The fault of scene bytes read whole (from a pipe or standard input) that
// keeps them from being a scene text: a NUL byte at an offset, as
// unreadSceneFileReason words it; empty when there is none.
std::string sceneBytesFault(const std::string& bytes);

// What keeps a scene the library read from being one the host reads, words
// to follow the scene's name: a UTF-8 byte-order mark before "LWSC", or
// lines ended by CR alone, which leave the whole file one line. Empty when
// neither is so. REQUIRES a non-null document.
std::string sceneTextFault(const SceneDocument* document);

#endif  // QUORVEL_RUNNER_SCENE_FAULTS_H_
