// Shared by the command tests: the stand-in host's services made the
// command's, and a scratch directory.

#ifndef QUORVEL_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
#define QUORVEL_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_

#include <filesystem>
#include <string>

#include "hostsim/hostsim.h"
#include "tests/support/test_platform.h"

// Points commandServices at the current stand-in host's services, as an
// activation would, then forgets the lookups in the host's call log.
void useHostServices(hostsim::HostSim& host);

// What the command joins the envelopes directory and the file name with: the
// platform's own separator.
inline const std::string PATH_SEPARATOR(
    1, static_cast<char>(std::filesystem::path::preferred_separator));

// A position function for an item standing still.
hostsim::PositionFunction standingAt(double x, double y, double z);

#endif  // QUORVEL_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
