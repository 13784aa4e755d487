#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>

// The stand-ins' logs share one clock, the performance counter, so the tests can put their lines
// side by side.
inline double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Appends "<ms> <text>" to the file named by an environment variable, when it is set.
inline void LogLine(const char* variable, double now, const char* format, ...) {
  char path[MAX_PATH];
  FILE* log = GetEnvironmentVariableA(variable, path, MAX_PATH) ? std::fopen(path, "ab") : nullptr;
  if (!log) return;
  std::fprintf(log, "%.3f ", now);
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(log, format, arguments);
  va_end(arguments);
  std::fclose(log);
}
