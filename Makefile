# Jotwell: a 32-bit Windows notes organiser, built on Linux and run under Wine.
#
#   make run     installs what is missing, builds, starts Jotwell under Wine
#   make test    installs what is missing, builds, runs every test
#
# Other targets: build (both trees), host, win32, bench, fuzz, setup,
# screenshots, clean.

JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
HOST   := build/host
WIN32  := build/win32

.PHONY: all build deps host win32 test test-host test-win32 run bench fuzz setup screenshots clean

all: build

deps:
	@tools/install-deps.sh

build: deps host win32

host:
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

win32: host
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DJW_HOST_DIR=$(abspath $(HOST)) >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

test: build
	@tools/run-tests.sh

test-host: deps host
	@cd $(HOST) && ctest --output-on-failure

test-win32: deps win32
	@tools/run-tests.sh win32

run: build
	@tools/run.sh

bench: build
	@tools/run-bench.sh

fuzz: deps
	@tools/run-fuzz.sh

setup: build
	@cmake --build $(WIN32) --target setup

screenshots: build setup
	@tools/screenshots.sh

clean:
	rm -rf build
