# Every target installs what it needs on a Debian 12 machine, then builds through the CMake presets.
.PHONY: all check demo dist pictures bench host windows windows-x86_64 windows-i686 test deps e2e-deps clean

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

# Unit tests on the host and the real program under Wine, each run once: a retry would hide the
# intermittent faults of a program with threads. (A scenario that meets the simulated desktop's own
# hiccup, a key sent through the X server that never reached Wine's desktop, says so and sends it once
# more; nothing else is tried twice.)
test: e2e-deps host windows
	ctest --preset host

# Builds both targets and runs every test.
check: windows test

# The real program under Wine with a stand-in joystick and player, on $DISPLAY or a virtual screen.
demo: e2e-deps windows-x86_64
	python3 scripts/demo.py

# Zip files for Windows users, each the program and its guide, named for the player they serve: the
# edition for any player, 32-bit so that one download runs on every Windows and keeps its settings
# under Program Files too; Winamp 3 (64- and 32-bit); and the classic edition for Winamp 2.x and 5.x,
# 32-bit like the player it drives, under the name its "Winamp 2.x Detected" box gives.
dist: windows
	rm -rf dist && mkdir -p dist/stage
	sed 's/$$/\r/' docs/USER-GUIDE.txt > dist/stage/Brontavel-Guide.txt  # Notepad wants CRLF
	cp build/windows-x86_64/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel-Winamp3-win64.zip Brontavel.exe Brontavel-Guide.txt
	cp build/windows-i686/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel-Winamp3-win32.zip Brontavel.exe Brontavel-Guide.txt
	cp build/windows-i686/classic/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel2x.zip Brontavel.exe Brontavel-Guide.txt
	cp build/windows-i686/anyplayer/Brontavel.exe dist/stage/ && cd dist/stage && zip -q ../Brontavel-AnyPlayer.zip Brontavel.exe Brontavel-Guide.txt
	rm -rf dist/stage
	@echo "made four zips: Brontavel-AnyPlayer.zip (any player), Brontavel-Winamp3-win64.zip and Brontavel-Winamp3-win32.zip (Winamp 3), Brontavel2x.zip (classic Winamp 2.x and 5.x)"
	@ls -l dist

# The README's pictures: the icon in the notification area, its menu and Options, marked, as make demo
# takes them from the real program; and an Xbox, a PlayStation and a Switch pad, with what each of
# their buttons does.
pictures: demo
	cp build/demo/artifacts/tray-icon.png build/demo/artifacts/tray-menu.png build/demo/artifacts/options.png docs/
	convert 'res/brontavel.ico[4]' docs/icon.png  # the true-colour 32-pixel image
	python3 scripts/draw_pad.py docs

# Speed and size against their targets, printed and written to docs/performance.md.
bench: e2e-deps windows
	cmake --preset bench
	cmake --build --preset bench
	python3 bench/wine_bench.py

clean:
	rm -rf build dist
