#include "runner/run_report.h"

#include "runner/exit_status.h"

int reportFailure(const std::string& error) {
  std::fprintf(stderr, "quorvel-run: %s\n", error.c_str());
  return EXIT_RUNNER_FAILED;
}

int reportInterrupted() {
  std::fprintf(stderr, "quorvel-run: interrupted\n");
  return EXIT_INTERRUPTED;
}

std::FILE* reportStream(const RunOptions& options) {
  return options.tablePath == "-" ? stderr : stdout;
}
