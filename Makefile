# Doodlebinder: `make run` starts the diary, `make test` builds everything and runs every test,
# `make bench` measures speed and memory beside libjpeg-turbo, `make install` installs the
# command-line exporter into PREFIX.
DIARY ?= $(CURDIR)/diary
PREFIX ?= /usr/local
SCREEN ?= 800x600
TEST_SCREEN = 1024x768

.PHONY: all deps build build-windows build-native test test-native test-windows run run-hpc bench install clean

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

test: build
	ctest --preset native
	tools/run-on-screen $(TEST_SCREEN) ctest --preset windows

run: build-windows
	tools/run-diary "$(DIARY)" $(SCREEN)

# The handheld's 640 x 240 screen: no caption, no command bar.
run-hpc: build-windows
	tools/run-diary "$(DIARY)" 640x240

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
