# Front door: installs what is missing, configures, builds, runs or tests.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES = cmake ninja-build g++ qt6-base-dev qt6-webengine-dev qt6-webchannel-dev \
           libgtest-dev libgmock-dev python3-pyftpdlib libsqlite3-dev curl xvfb xauth xdotool \
           openbox x11-xserver-utils x11-utils

# `run` turns neither the page sandbox nor the GPU off: the program decides both. The tests and
# benchmarks turn them off for themselves.

.PHONY: deps configure build run test bench clean

deps:
	@./tools/install-deps.sh $(PACKAGES)

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./kestrelvue

# A case that fails is run once more before it counts: the page engine's processes share the
# machine with the whole suite, and a second failure is a real one.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300 --repeat until-pass:2

bench: build
	@./tools/install-deps.sh falkon x11-utils
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	./tools/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
