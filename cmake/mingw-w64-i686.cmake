set(CMAKE_SYSTEM_PROCESSOR i686)
set(BRONTAVEL_MINGW_TRIPLE i686-w64-mingw32)
# 32-bit Windows unwinds a stack by its frames, not by tables: the tables GCC writes for every function
# serve only to throw exceptions, which the program never does, and cost a tenth of its size. (64-bit
# Windows needs its tables to walk any stack, and keeps them.)
set(BRONTAVEL_UNWIND_FLAGS "-fno-asynchronous-unwind-tables -fno-unwind-tables")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
