# Doodlebinder: `make run` starts the diary, `make test` checks the tree's rules (layout, no
# circles of includes or calls), builds everything and runs every test,
# `make dist` packs the Windows programs into an installer and a zip and the console
# exporter into a Debian package, `make bench` measures speed and memory
# beside libjpeg-turbo, `make install` installs the command-line exporter into PREFIX.
DIARY ?= $(CURDIR)/diary
PREFIX ?= /usr/local
SCREEN ?= 800x600
TEST_SCREEN = 1024x768

.PHONY: all deps build build-windows build-native build-run rules test run run-hpc dist dist-deb bench install clean

all: build

deps:
	@tools/install-deps

build: build-windows build-native

build-windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

# The rules a change must keep before anything is built: one layout, no include circle.
rules: deps
	tools/check-format
	tools/include-circles

# After the build, no circle of calls between files in either build.
test: rules build
	tools/call-circles build/native
	tools/call-circles build/windows
	ctest --preset native
	tools/run-on-screen $(TEST_SCREEN) ctest --preset windows

# Only what run-diary starts: the program, its help viewer and the window waiter, in a
# build of their own (build/run: sources compiled in batches, no debug information, so a
# first start is quick; the tests keep one object a source in build/windows). The Wine
# prefix is made meanwhile (run-diary waits for it if it is not ready yet).
RUN_TARGETS = doodlebinder peghelp wait-for-window

build-run: deps
	tools/make-wineprefix >/dev/null 2>&1 &
	cmake --preset run >/dev/null
	cmake --build --preset run --target $(RUN_TARGETS)

run: build-run
	tools/run-diary "$(DIARY)" $(SCREEN)

# The handheld's 640 x 240 screen: no caption, no command bar.
run-hpc: build-run
	tools/run-diary "$(DIARY)" 640x240

# The Windows packages, dist/doodlebinder-<version>-win64.msi and .zip, and the Debian one.
dist: deps dist-deb
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target dist

# The console program, from the release build as `make install` builds it, as a Debian
# package: dist/doodlebinder-export_<version>_<architecture>.deb.
dist-deb: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target deb

# An optimised build of its own (build/bench); prints a table of ratios.
bench: deps
	bench/run-bench

# The console program, optimised and without sanitizers: PREFIX/bin/doodlebinder-export.
install: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	cmake --install build/release --prefix "$(PREFIX)" --component cli

clean:
	rm -rf build
