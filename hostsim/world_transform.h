// Affine transforms of scene items: an item's own translate, rotate and scale
// from its channel values. An item's world position is its own position
// carried through the local transform of its parent, then of the parent's
// parent, and so on up to an item without a parent.
//
// Rotation is R = Ry(heading) Rx(pitch) Rz(bank) acting on column vectors, all
// angles in degrees: heading 90 turns +Z to +X, pitch 90 turns +Z to -Y and
// bank 90 turns +X to +Y.

#ifndef QUORVEL_HOSTSIM_WORLD_TRANSFORM_H_
#define QUORVEL_HOSTSIM_WORLD_TRANSFORM_H_

#include <array>

#include "hostsim/hostsim.h"
#include "hostsim/motion_curve.h"

namespace hostsim {

// A 3x4 affine matrix: rows of a 3x3 linear part followed by a translation.
struct Transform {
  std::array<std::array<double, 4>, 3> rows{};
};

// Translate(position) * R(heading, pitch, bank) * Scale(scale) of one
// item's channel values.
Transform localTransform(const ChannelValues& channels);

// The image of `point` under `transform`.
Vector3 applyTransform(const Transform& transform, const Vector3& point);

}  // namespace hostsim

#endif  // QUORVEL_HOSTSIM_WORLD_TRANSFORM_H_
