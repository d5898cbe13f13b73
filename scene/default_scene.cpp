// The built-in default scene: a complete scene without objects, from which a
// caller builds a scene file by adding object blocks before "AmbientColor".

#include <cstring>
#include <iterator>

#include "scene/allocation.h"
#include "scene/scene.h"

namespace {

// The default scene's lines, without their newlines. Exact to the byte:
// the motion lines begin with two blanks and "DataOverlayLabel " ends in one.
constexpr const char* DEFAULT_SCENE_LINES[] = {
    "LWSC",
    "1",
    "",
    "FirstFrame 1",
    "LastFrame 60",
    "FrameStep 1",
    "PreviewFirstFrame 1",
    "PreviewLastFrame 60",
    "PreviewFrameStep 1",
    "FramesPerSecond 30.000000",
    "",
    "AmbientColor 255 255 255",
    "AmbIntensity 0.250000",
    "",
    "AddLight",
    "LightName Light",
    "ShowLight 1 7",
    "LightMotion (unnamed)",
    "  9",
    "  1",
    "  -2 2 -2 45 35 0 1 1 1",
    "  0 0 0 0 0",
    "EndBehavior 1",
    "LightColor 255 255 255",
    "LgtIntensity 1.000000",
    "LightType 0",
    "ShadowType 1",
    "",
    "ShowCamera 1 7",
    "CameraMotion (unnamed)",
    "  9",
    "  1",
    "  0 0 -4 0 0 0 1 1 1",
    "  0 0 0 0 0",
    "EndBehavior 1",
    "ZoomFactor 3.200000",
    "Resolution 1",
    "PixelAspectRatio 2",
    "SegmentMemory 8200000",
    "Antialiasing 0",
    "AdaptiveSampling 1",
    "AdaptiveThreshold 16",
    "FilmSize 2",
    "FieldRendering 0",
    "MotionBlur 0",
    "DepthOfField 0",
    "",
    "SolidBackdrop 1",
    "BackdropColor 0 0 0",
    "ZenithColor 0 40 80",
    "SkyColor 120 180 240",
    "GroundColor 50 40 30",
    "NadirColor 100 80 60",
    "FogType 0",
    "DitherIntensity 1",
    "AnimatedDither 0",
    "",
    "RenderMode 2",
    "RayTraceEffects 0",
    "ClipRayColors 0",
    "DataOverlayLabel ",
    "FullSceneParamEval 0",
    "",
    "ViewMode 3",
    "ViewAimpoint 0.000000 0.000000 0.000000",
    "ViewDirection 0.300197 -0.314159 0.000000",
    "ViewZoomFactor 4.000000",
    "GridNumber 40",
    "GridSize 1.000000",
    "ShowMotionPath 1",
    "ShowBGImage 0",
    "ShowFogRadius 0",
    "ShowRedraw 0",
    "ShowSafeAreas 1",
    "ShowFieldChart 0",
    "",
};

static_assert(std::size(DEFAULT_SCENE_LINES) == 76);

// A new unlinked line holding `text` and a newline; null when memory runs out.
SceneLine* newTextLine(const char* text) {
  std::size_t length = std::strlen(text);
  char* copy = static_cast<char*>(sceneAllocateUnfilled(length + 2));
  if (!copy) return nullptr;
  std::memcpy(copy, text, length);
  std::memcpy(copy + length, "\n", 2);
  SceneLine* line = newSceneLine();
  if (!line) {
    sceneRelease(copy);
    return nullptr;
  }
  line->text = copy;
  return line;
}

}  // namespace

SceneDocument* newScene() {
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  if (!document) return nullptr;
  for (const char* text : DEFAULT_SCENE_LINES) {
    SceneLine* line = newTextLine(text);
    if (!line) {
      freeScene(document);
      return nullptr;
    }
    appendLine(document, line);
  }
  classifyLines(document);
  return document;
}
