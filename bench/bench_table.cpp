// The benchmark's table rows: medians of rounds and their ratios.

#include <algorithm>
#include <cstdio>

#include "bench/bench.h"

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void printRow(const Row& row) {
  const char* work = row.work.c_str();
  double measured = median(row.measured);
  if (measured < 0) {
    std::printf("| %s | not run |  |  | <= %g |  |\n", work, row.goal);
    return;
  }
  if (row.floor.empty()) {
    std::printf("| %s | %.3f %s |  | %.3f %s | <= %g %s | %s |\n", work, measured, row.unit,
                measured, row.unit, row.goal, row.unit, measured <= row.goal ? "met" : "NOT met");
    return;
  }
  std::vector<double> ratios;
  for (std::size_t round = 0; round < row.measured.size(); ++round) {
    ratios.push_back(row.measured[round] / row.floor[round]);
  }
  double ratio = median(ratios);
  std::printf("| %s | %.3f %s | %.3f %s | %.2fx | <= %gx | %s |\n", work, measured, row.unit,
              median(row.floor), row.unit, ratio, row.goal, ratio <= row.goal ? "met" : "NOT met");
}
