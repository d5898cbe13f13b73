// The generated scenes of version 3 that the scene rows run on: a keyed
// motion-capture shape and a many-items shape.

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench/bench.h"

namespace {

constexpr int CHANNELS = 9;
// The motion-capture shape: keys on each channel of each null.
constexpr long CAPTURE_KEYS = 300;
// The many-items shape: nulls hang in chains of this many, each from the one before.
constexpr long CHAIN_LENGTH = 50;

void writeHeader(std::ofstream& out) {
  out << "LWSC\n3\n\nFirstFrame 1\nLastFrame 60\nFrameStep 1\nFramesPerSecond 30\n\n";
}

// A channel's envelope of `keys` linear keys, the value growing with time.
void writeChannel(std::ofstream& out, int channel, long keys, double scale) {
  out << "Channel " << channel << "\n{ Envelope\n  " << keys << "\n";
  for (long key = 0; key < keys; ++key) {
    out << "  Key " << scale * (key + 1) * 0.01 + (channel >= 6 ? 1 : 0) << " " << key / 30.0
        << " 3 0 0 0 0 0 0\n";
  }
  out << "  Behaviors 1 1\n}\n";
}

void writeMotion(std::ofstream& out, const char* head, long keys, double scale) {
  out << head << "\nNumChannels " << CHANNELS << "\n";
  for (int channel = 0; channel < CHANNELS; ++channel) {
    writeChannel(out, channel, keys, channel < 3 ? scale : 0);
  }
}

void writeCameraAndEnd(std::ofstream& out) {
  out << "\nAmbientColor 255 255 255\nAmbIntensity 0.25\n\nAddCamera\nCameraName Camera\n";
  writeMotion(out, "CameraMotion", 1, 1);
  out << "\n";
}

// The lines one null of a shape takes, its empty line included.
long captureNullLines() { return 6 + CHANNELS * (CAPTURE_KEYS + 5); }
long chainNullLines() { return 7 + CHANNELS * 6; }

}  // namespace

long writeCaptureScene(const std::string& path, long lines) {
  std::ofstream out(path, std::ios::binary);
  writeHeader(out);
  long nulls = lines / captureNullLines();
  for (long n = 0; n < nulls; ++n) {
    out << "AddNullObject N" << n << "\nShowObject 8 7\n";
    writeMotion(out, "ObjectMotion", CAPTURE_KEYS, n + 1);
    out << "ShadowOptions 7\n\n";
  }
  writeCameraAndEnd(out);
  if (!out) throw std::runtime_error("cannot write " + path);
  return nulls;
}

long writeChainScene(const std::string& path, long lines) {
  std::ofstream out(path, std::ios::binary);
  writeHeader(out);
  long nulls = lines / chainNullLines();
  char parent[24];  // room for any long in hex
  for (long n = 0; n < nulls; ++n) {
    out << "AddNullObject N" << n << "\nShowObject 8 7\n";
    writeMotion(out, "ObjectMotion", 1, 1);
    if (n % CHAIN_LENGTH != 0) {
      std::snprintf(parent, sizeof parent, "%08lX", 0x10000000L + n - 1);
      out << "ParentItem " << parent << "\n";
    }
    out << "ShadowOptions 7\n\n";
  }
  writeCameraAndEnd(out);
  if (!out) throw std::runtime_error("cannot write " + path);
  return nulls;
}
