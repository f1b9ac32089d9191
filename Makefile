# Jotwell: a 32-bit Windows notes organiser, built on Linux and run under Wine.
# build/win32 is the shipped program; build/win64 builds the same sources for
# hosts that run no 32-bit programs and to catch pointer truncation.
#
#   make run     installs what is missing, builds, starts Jotwell under Wine
#   make test    installs what is missing, builds, runs every test
#
# Other targets: build (all trees), host, win32, win64, bench, fuzz, setup,
# screenshots, clean.

JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
HOST   := build/host
WIN32  := build/win32
WIN64  := build/win64

.PHONY: all build deps host win32 win64 test test-host test-win32 run bench fuzz setup screenshots clean

all: build

deps:
	@tools/install-deps.sh

build: deps host win32 win64

host:
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

win32: host
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DJW_HOST_DIR=$(abspath $(HOST)) >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

win64: host
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DJW_HOST_DIR=$(abspath $(HOST)) >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

test: build
	@tools/run-tests.sh

test-host: deps host
	@cd $(HOST) && ctest --output-on-failure

test-win32: deps win32 win64
	@tools/run-tests.sh win32

run: build
	@tools/run.sh

bench: build
	@tools/run-bench.sh

fuzz: deps
	@tools/run-fuzz.sh

setup: build
	@cmake --build $(WIN32) --target setup
	@cmake --build $(WIN64) --target setup

# DPI=144 takes them at that display scale.
screenshots: build setup
	@DPI=$(DPI) tools/screenshots.sh

clean:
	rm -rf build
