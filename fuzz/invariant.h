// The fuzz targets' one way to fail: a broken invariant prints what was
// promised and aborts, so that libFuzzer keeps the input that broke it.

#ifndef QUORVEL_FUZZ_INVARIANT_H_
#define QUORVEL_FUZZ_INVARIANT_H_

// Returns when `holds`; otherwise prints "broken invariant: <promise>" to
// standard error and aborts.
void require(bool holds, const char* promise);

#endif  // QUORVEL_FUZZ_INVARIANT_H_
