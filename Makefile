# Every target installs what it needs on a Debian 12 machine, then builds through the CMake presets.
.PHONY: all check demo dist bench host windows windows-x86_64 windows-i686 test deps e2e-deps clean

all: host windows

deps:
	@scripts/install-deps.sh build

e2e-deps:
	@scripts/install-deps.sh build e2e

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

# Unit tests on the host and the real program under Wine.
test: e2e-deps host windows
	ctest --preset host

# Builds both targets and runs every test.
check: windows test

# The real program under Wine with a stand-in joystick and player, on $DISPLAY or a virtual screen.
demo: e2e-deps windows-x86_64
	python3 scripts/demo.py

# Zip files for Windows users: the program and its guide.
dist: windows
	rm -rf dist && mkdir -p dist/stage
	sed 's/$$/\r/' docs/USER-GUIDE.txt > dist/stage/Brontavel-Guide.txt  # Notepad wants CRLF
	cp build/windows-x86_64/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel-win64.zip Brontavel.exe Brontavel-Guide.txt
	cp build/windows-i686/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel-win32.zip Brontavel.exe Brontavel-Guide.txt
	rm -rf dist/stage
	@ls -l dist

# Speed and size against their targets, printed and written to docs/performance.md.
bench: e2e-deps windows
	cmake --preset bench
	cmake --build --preset bench
	python3 bench/wine_bench.py

clean:
	rm -rf build dist
