// make-scene OUT: writes the default scene with one null object, "Rider",
// moving from the origin to (0, 2, 0) over 30 frames. Exit status 0 when the
// scene was written, 1 otherwise.

#include <quorvel/scene.h>
#include <quorvel/version_edits.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-scene OUT\n");
    return 1;
  }
  SceneDocument* scene = newScene();
  bool made = scene && addNullObject(scene, objectInsertPoint(scene), "Rider");
  SceneLine* rider = made ? findObjectLine(scene, "Rider", 1) : nullptr;
  // A key in the layout of the scene's own version: here the default scene's, 1.
  KeyValues up = {{0, 2, 0, 0, 0, 0, 1, 1, 1}};
  made = rider && setMotionKeyInVersion(scene, rider, up, 30, true).status == EDIT_DONE &&
         writeScene(scene, argv[1]);
  freeScene(scene);
  if (!made) std::fprintf(stderr, "make-scene: cannot write %s\n", argv[1]);
  return made ? 0 : 1;
}
