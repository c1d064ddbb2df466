# Front door. Both builds live under build/; the SQLite source is fetched there.
.PHONY: all setup native windows dll dist test test-native test-windows demo bench format clean

all: dll

setup:
	@scripts/setup

build/native/CMakeCache.txt:
	cmake --preset native >/dev/null
build/bench/CMakeCache.txt:
	cmake --preset bench >/dev/null
build/windows/CMakeCache.txt:
	cmake --preset windows >/dev/null

native: setup build/native/CMakeCache.txt
	cmake --build --preset native
windows: setup build/windows/CMakeCache.txt
	cmake --build --preset windows

dll: windows
	@echo "built build/windows/bin/sqliteview.dll"

# The release archive: only the DLL is built, checked for self-containment and packed with the texts.
dist: setup build/windows/CMakeCache.txt
	cmake --build --preset windows --target sqliteview
	scripts/check-dll i686-w64-mingw32-objdump build/windows/bin/sqliteview.dll
	scripts/make-dist build/windows/bin/sqliteview.dll build/dist

test-native: native
	ctest --preset native
test-windows: windows
	WINEPREFIX=$(CURDIR)/build/windows/wineprefix scripts/with-display ctest --preset windows

# Native first (fast, sanitizers), then the real DLL under Wine; fails on any failure.
test: test-native test-windows

# The demo needs only the DLL and the stand-in host, not the tests and benchmarks.
demo: setup build/windows/CMakeCache.txt
	cmake --build --preset windows --target host
	WINEPREFIX=$(CURDIR)/build/windows/wineprefix scripts/with-display scripts/demo

# Benchmarks run optimised without sanitizers natively, and as built for Windows.
bench: setup build/bench/CMakeCache.txt windows
	cmake --build --preset bench
	WINEPREFIX=$(CURDIR)/build/windows/wineprefix scripts/with-display scripts/bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build/native build/windows build/dist
