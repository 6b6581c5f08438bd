# The front door. `make test` installs what is missing, builds the three
# configurations and runs every test, then packs the release files and
# reads them back; its output ends with each check's summary. Each target
# installs only what it needs (scripts/install-deps), and every build waits
# for its packages, so `make -j` is safe.
SHELL := /bin/bash
.PHONY: test deps deps-native deps-windows deps-wine build native win64 win32 test-native test-win64 \
        test-win32 lint bench bench-latency demo dist clean

# The release files are packed and read back in build/dist, after the
# tests: dist/ keeps what `make dist` made.
test: deps build
	scripts/run-tests

# Every part at once, so a fresh system reads the package lists only once.
deps:
	@scripts/install-deps native windows wine

deps-native:
	@scripts/install-deps native

deps-windows:
	@scripts/install-deps windows

deps-wine:
	@scripts/install-deps wine

build: native win32 win64

native: deps-native
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps-windows
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

win64: deps-windows
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

test-native: native
	ctest --preset native -j2

# The window's start-up tests also start the other build's vzdapi.dll.
test-win64: win64 win32 deps-wine
	scripts/with-wine ctest --preset win64

test-win32: win32 win64 deps-wine
	scripts/with-wine --32 ctest --preset win32

# clang-tidy over the portable core and the Win32 shell (the mingw-w64
# target); any warning fails.
lint: native deps-windows
	scripts/lint

# The release files, read back, and built once more elsewhere to compare
# them byte for byte (scripts/check-dist).
dist: win32 win64
	scripts/dist --rebuild

demo: win32 win64 deps-wine
	scripts/demo

bench: native
	build/native/benchmarks

# The latency from an announcement to Tolvik's ESP, end to end under Wine.
bench-latency: win32 win64 deps-wine
	scripts/bench-latency

# The downloaded 32-bit Wine stays (.cache/, see scripts/wine-env).
clean:
	rm -rf build dist
