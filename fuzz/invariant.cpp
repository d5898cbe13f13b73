#include "fuzz/invariant.h"

#include <cstdio>
#include <cstdlib>

void require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken invariant: %s\n", promise);
  std::abort();
}
