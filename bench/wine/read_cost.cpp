// What one read of joystick 1 costs: times many joyGetPosEx calls, as Brontavel makes them, and prints
// the mean in microseconds. Run with the stand-in driver, and with Wine's own.

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 10000;
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS | JOY_RETURNPOV;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int answered = 0;
  for (int i = 0; i < calls; ++i) answered += joyGetPosEx(JOYSTICKID1, &info) == JOYERR_NOERROR;
  QueryPerformanceCounter(&end);
  const double us = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("%.3f %d\n", us / calls, answered);
  return 0;
}
