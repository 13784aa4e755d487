# Shared by the two mingw-w64 toolchain files; BRONTAVEL_MINGW_TRIPLE is set by the includer.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BRONTAVEL_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${BRONTAVEL_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${BRONTAVEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BRONTAVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# A static runtime keeps the program a single file that needs only the DLLs every Windows has.
# Unused functions are dropped; the program neither throws nor asks for types at run time.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections ${BRONTAVEL_UNWIND_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections -fno-exceptions -fno-rtti ${BRONTAVEL_UNWIND_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
