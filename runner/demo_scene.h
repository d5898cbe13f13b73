// The scene quorvel-run uses when it is given none: the default scene with
// two moving null objects, "Orbiter" circling the origin and "Drifter"
// travelling along X, so that the distance between them rises and falls;
// the default scene's camera and light stand still.

#ifndef QUORVEL_RUNNER_DEMO_SCENE_H_
#define QUORVEL_RUNNER_DEMO_SCENE_H_

struct SceneDocument;

// A new classified document, owned by the caller (release with freeScene);
// null when memory runs out.
SceneDocument* newDemoScene();

#endif  // QUORVEL_RUNNER_DEMO_SCENE_H_
