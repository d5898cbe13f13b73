// The envelope file names of a run of several pairs: ITEM-TARGET.env, made
// safe for a file name on every platform the runner runs on, and distinct.

#ifndef QUORVEL_RUNNER_PAIR_FILES_H_
#define QUORVEL_RUNNER_PAIR_FILES_H_

#include <string>
#include <utility>
#include <vector>

// One name per pair (item name, target name), in order. Each is
// "ITEM-TARGET.env" with every character that Windows or POSIX refuses in a
// file name (control characters, < > : " / \ | ? *) replaced by "_", each
// name cut to 100 bytes without the dots and blanks Windows drops from its
// end, and a name whose part before the first dot Windows keeps for a device
// (CON, NUL, COM1, ...) begun with "_". A name equal to an earlier one, ignoring ASCII
// case as Windows does, becomes "ITEM-TARGET (N).env", N the least from 2
// that makes it distinct.
std::vector<std::string> pairFileNames(
    const std::vector<std::pair<std::string, std::string>>& pairs);

#endif  // QUORVEL_RUNNER_PAIR_FILES_H_
