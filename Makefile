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

# The release archive: only the two DLLs are built, checked for self-containment and packed with the texts.
dist: setup build/windows/CMakeCache.txt build/windows64/CMakeCache.txt
	cmake --build --preset windows --target sqliteview
	cmake --build --preset windows64 --target sqliteview
	scripts/check-dll i686-w64-mingw32-objdump build/windows/bin/sqliteview.dll
	scripts/check-dll x86_64-w64-mingw32-objdump build/windows64/bin/sqliteview64.dll
	scripts/make-dist build/windows/bin/sqliteview.dll build/windows64/bin/sqliteview64.dll build/dist

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

# The 64-bit twin: its own tree, and its own 64-bit Wine prefix in it (the Wine scripts read its width from the tree).
.PHONY: windows64 dll64 test-windows64 test-dist demo64
build/windows64/CMakeCache.txt:
	cmake --preset windows64 >/dev/null
windows64: setup build/windows64/CMakeCache.txt
	cmake --build --preset windows64
dll64: windows64
	@echo "built build/windows64/bin/sqliteview64.dll"
test-windows64: windows64
	WINEPREFIX=$(CURDIR)/build/windows64/wineprefix scripts/with-display ctest --preset windows64
# The release archive holds the DLLs of both trees, so it is tested once both are built.
test-dist: windows windows64
	python3 tests/release/DistArchiveTest.py $(CURDIR) build/windows/bin/sqliteview.dll \
		build/windows64/bin/sqliteview64.dll build/dist-test
test: test-windows64 test-dist
bench: windows64
# The demo with the 64-bit DLL and host.
demo64: setup build/windows64/CMakeCache.txt
	cmake --build --preset windows64 --target host
	WINEPREFIX=$(CURDIR)/build/windows64/wineprefix scripts/with-display scripts/demo build/windows64

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build/native build/windows build/windows64 build/dist build/dist-test
