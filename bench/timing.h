// Timing shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// Seconds per call, over a batch long enough for the clock to resolve.
inline double TimeBatch(const std::function<void()>& work, int batch) {
  const auto start = Clock::now();
  for (int i = 0; i < batch; ++i) work();
  return std::chrono::duration<double>(Clock::now() - start).count() / batch;
}

inline double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace bench
