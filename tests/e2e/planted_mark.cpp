// The mark a planted DLL leaves in the file named by BRONTAVEL_PLANTED_MARK as soon as it is loaded.
#include "standin_log.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) LogLine("BRONTAVEL_PLANTED_MARK", NowMs(), "loaded\n");
  return TRUE;
}
