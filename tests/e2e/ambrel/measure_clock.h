// Wall-clock milliseconds and medians for the measurements under Wine.
// (<chrono> cannot be compiled to the CP932 execution character set: its
// micro sign has no CP932 byte, so the performance counter is read here.)
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace ambrel::e2e {

inline double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace ambrel::e2e
