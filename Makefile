# Every target installs what it needs on a Debian 12 machine, then builds through the CMake presets.
.PHONY: all check host windows windows-x86_64 windows-i686 test deps clean

all: host windows

deps:
	@scripts/install-deps.sh build

host: deps
	cmake --preset host
	cmake --build --preset host

windows: windows-x86_64 windows-i686

windows-x86_64: deps
	cmake --preset windows
	cmake --build --preset windows

windows-i686: deps
	cmake --preset windows-i686
	cmake --build --preset windows-i686

test: host
	ctest --preset host

# Builds both targets and runs every test.
check: windows test

clean:
	rm -rf build
