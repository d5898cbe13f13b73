// The exit statuses of quorvel-run beyond the activation's own results
// (0 done, 1 wrong interface version, 2 a host service missing).

#ifndef QUORVEL_RUNNER_EXIT_STATUS_H_
#define QUORVEL_RUNNER_EXIT_STATUS_H_

// The runner itself failed: bad arguments, a module file it could not use,
// a scene it could not read, an unknown item, an output it could not write.
inline constexpr int EXIT_RUNNER_FAILED = 3;

// The module ran but showed the user an error message.
inline constexpr int EXIT_MODULE_MESSAGE = 4;

// The user interrupted a bake (Ctrl-C): 128 plus the signal's number 2, as
// shells report a program that an interrupt ended.
inline constexpr int EXIT_INTERRUPTED = 130;

#endif  // QUORVEL_RUNNER_EXIT_STATUS_H_
