// Where quorvel-run tells what happened: its failures and interrupts on
// standard error, each line beginning "quorvel-run: ", its report on
// standard output unless the table goes there.

#ifndef QUORVEL_RUNNER_RUN_REPORT_H_
#define QUORVEL_RUNNER_RUN_REPORT_H_

#include <cstdio>
#include <string>

#include "runner/run_options.h"

// Prints "quorvel-run: ERROR"; returns EXIT_RUNNER_FAILED.
int reportFailure(const std::string& error);

// Prints "quorvel-run: interrupted"; returns EXIT_INTERRUPTED.
int reportInterrupted();

// Where the run's report goes: standard output, or standard error when the
// table goes to standard output (--table -).
std::FILE* reportStream(const RunOptions& options);

#endif  // QUORVEL_RUNNER_RUN_REPORT_H_
