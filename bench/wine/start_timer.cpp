// Measures how long a tray program takes from being started until it is ready: its window of the
// given class exists and its thread answers a message, which it does only once it is in its message
// loop, after the tray icon was added. Then it closes the program again.
//   start_timer PROGRAM CLASS FOLDER      prints the milliseconds

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, argv[3], &startup, &process)) return 1;
  double elapsed = -1;
  for (int tries = 0; tries < 60000 && elapsed < 0; ++tries) {
    HWND window = FindWindowA(argv[2], nullptr);
    DWORD_PTR ignored;
    if (window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) {
      QueryPerformanceCounter(&now);
      elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      PostMessageA(window, WM_CLOSE, 0, 0);
    } else {
      Sleep(1);
    }
  }
  WaitForSingleObject(process.hProcess, 10000);
  std::printf("%.1f\n", elapsed);
  return elapsed < 0 ? 1 : 0;
}
