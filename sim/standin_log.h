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

// Appends "<ms> <text>" to the file named by an environment variable, when it is set. Stand-ins in
// several processes (a player and a media-key listener) share one log, and the runtime appends by
// seeking to the end and then writing: two lines written at the same moment could land in the same
// place, and one be lost. A named mutex keeps each line whole.
inline void LogLine(const char* variable, double now, const char* format, ...) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA(variable, path, MAX_PATH)) return;
  const HANDLE lock = CreateMutexA(nullptr, FALSE, "Brontavel.StandinLog");
  if (lock) WaitForSingleObject(lock, 5000);
  if (FILE* log = std::fopen(path, "ab")) {
    std::fprintf(log, "%.3f ", now);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(log, format, arguments);
    va_end(arguments);
    std::fclose(log);
  }
  if (lock) {
    ReleaseMutex(lock);
    CloseHandle(lock);
  }
}
