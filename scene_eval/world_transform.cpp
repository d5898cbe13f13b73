#include "scene_eval/world_transform.h"

#include <cmath>

namespace scene_eval {

namespace {

using Matrix3 = std::array<std::array<double, 3>, 3>;

Matrix3 multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 product{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (int k = 0; k < 3; ++k) product[i][j] += a[i][k] * b[k][j];
    }
  }
  return product;
}

Matrix3 aboutY(double radians) {
  double c = std::cos(radians);
  double s = std::sin(radians);
  return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

Matrix3 aboutX(double radians) {
  double c = std::cos(radians);
  double s = std::sin(radians);
  return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

Matrix3 aboutZ(double radians) {
  double c = std::cos(radians);
  double s = std::sin(radians);
  return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

}  // namespace

Transform localTransform(const ChannelValues& channels, const Vector3& pivot) {
  Matrix3 rotation = multiply(multiply(aboutY(channels[CHANNEL_HEADING]),
                                       aboutX(channels[CHANNEL_PITCH])),
                              aboutZ(channels[CHANNEL_BANK]));
  const double scale[3] = {channels[CHANNEL_SCALE_X], channels[CHANNEL_SCALE_Y],
                           channels[CHANNEL_SCALE_Z]};
  const double position[3] = {channels[CHANNEL_POSITION_X], channels[CHANNEL_POSITION_Y],
                              channels[CHANNEL_POSITION_Z]};
  const double pivotPoint[3] = {pivot.x, pivot.y, pivot.z};
  Transform local;
  for (int i = 0; i < 3; ++i) {
    local.rows[i][3] = position[i];
    for (int j = 0; j < 3; ++j) {
      local.rows[i][j] = rotation[i][j] * scale[j];
      local.rows[i][3] -= local.rows[i][j] * pivotPoint[j];
    }
  }
  return local;
}

Vector3 applyTransform(const Transform& transform, const Vector3& point) {
  const double in[3] = {point.x, point.y, point.z};
  double out[3];
  for (int i = 0; i < 3; ++i) {
    out[i] = transform.rows[i][3];
    for (int k = 0; k < 3; ++k) out[i] += transform.rows[i][k] * in[k];
  }
  return {out[0], out[1], out[2]};
}

}  // namespace scene_eval
