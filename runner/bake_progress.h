// The progress line quorvel-run shows on standard error while a long bake
// runs: percentage, keys, rate and time left, redrawn in place and cleared
// when the bake ends.

#ifndef QUORVEL_RUNNER_BAKE_PROGRESS_H_
#define QUORVEL_RUNNER_BAKE_PROGRESS_H_

#include <cstdint>
#include <functional>
#include <string>

// "baking: 42% (420000 of 1000000 keys), 35000 keys/s, 0:17 left" for
// `done` of `total` keys after `seconds`; the time left is left out while
// no rate is known.
std::string progressLine(std::uint64_t done, std::uint64_t total, double seconds);

class BakeProgress {
 public:
  // The line appears once the bake has run SILENT_SECONDS, and is redrawn at
  // most every REDRAW_SECONDS.
  static constexpr double SILENT_SECONDS = 1.0;
  static constexpr double REDRAW_SECONDS = 0.2;

  // Where the text goes, and the seconds since some fixed moment.
  using Writer = std::function<void(const std::string& text)>;
  using Clock = std::function<double()>;

  // A bake of `total` keys, starting now. Shows nothing unless `shown`.
  // Lines are cut to `columns` - 1 characters so that they never wrap
  // (`columns` 0: not cut).
  BakeProgress(std::uint64_t total, bool shown, int columns, Writer write, Clock now);
  // Clears the line if it is still shown.
  ~BakeProgress();
  BakeProgress(const BakeProgress&) = delete;
  BakeProgress& operator=(const BakeProgress&) = delete;

  // Tells that `done` keys are written; redraws the line when it is due.
  void update(std::uint64_t done);
  // Clears the line, leaving the cursor where the line began.
  void finish();

 private:
  std::uint64_t total_;
  bool shown_;
  int columns_;
  Writer write_;
  Clock now_;
  double start_;
  double lastDrawn_ = -1;    // when the line was last drawn; < 0 before
  std::size_t drawnLength_ = 0;  // the length of the line on the terminal
};

// A writer to standard error and the steady clock, for the runner itself.
BakeProgress::Writer standardErrorWriter();
BakeProgress::Clock steadySeconds();

#endif  // QUORVEL_RUNNER_BAKE_PROGRESS_H_
