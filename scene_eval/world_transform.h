// Affine transforms of scene items: an item's own translate, rotate and scale
// from its channel values and its pivot. An item's world position is where
// its pivot lies in the world: its position channels carried through the
// local transform of its parent, then of the parent's parent, and so on up
// to an item without a parent.
//
// Rotation is R = Ry(heading) Rx(pitch) Rz(bank) acting on column vectors, all
// angles in radians: heading pi/2 turns +Z to +X, pitch pi/2 turns +Z to -Y
// and bank pi/2 turns +X to +Y.

#ifndef QUORVEL_SCENE_EVAL_WORLD_TRANSFORM_H_
#define QUORVEL_SCENE_EVAL_WORLD_TRANSFORM_H_

#include <array>

#include "scene_eval/scene_eval.h"
#include "scene_eval/motion.h"

namespace scene_eval {

// A 3x4 affine matrix: rows of a 3x3 linear part followed by a translation.
struct Transform {
  std::array<std::array<double, 4>, 3> rows{};
};

// The transform taking a point p of the item's own coordinates to its
// parent's: position + R S (p - pivot), from the item's channel values and
// its pivot (in its own coordinates).
Transform localTransform(const ChannelValues& channels, const Vector3& pivot);

// The image of `point` under `transform`.
Vector3 applyTransform(const Transform& transform, const Vector3& point);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_WORLD_TRANSFORM_H_
