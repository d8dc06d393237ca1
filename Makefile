# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# make run   installs what is missing, builds Release and starts Vexlo
# make test  the same set-up, then the whole test suite
# make test-asan  the suite again with AddressSanitizer + UndefinedBehaviorSanitizer
BUILD     ?= build
ASANBUILD ?= build-asan
JOBS      ?= $(shell nproc)
CTEST_ARGS ?=
WERROR    := $(if $(filter true 1 yes,$(CI)),ON,OFF)

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build run test test-asan bench fuzz fuzz-run fuzz-replay fuzz-ci clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXLO_WERROR=$(WERROR)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vexlo

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

test-asan: deps
	cmake -S . -B $(ASANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DVEXLO_SANITIZE=ON -DVEXLO_WERROR=$(WERROR)
	cmake --build $(ASANBUILD) -j $(JOBS)
	cd $(ASANBUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXLO_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

# Fuzzing (fuzz/README.md): make fuzz-run SECONDS=N fuzzes every target N
# seconds from fuzz/corpus/<target>/ and merges what it finds back into it.
FUZZBUILD ?= build-fuzz
FUZZ_TARGETS := fuzz_gif_decoder fuzz_bmp_decoder fuzz_decode_content
SECONDS ?= 60

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVEXLO_BUILD_FUZZ=ON -DVEXLO_BUILD_TESTS=OFF
	cmake --build $(FUZZBUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

fuzz-run: fuzz
	fuzz/run_fuzz.sh run $(FUZZBUILD) $(SECONDS)

fuzz-replay: fuzz
	fuzz/run_fuzz.sh replay $(FUZZBUILD)

# CI: the whole corpus once, then 30 s of fresh fuzzing per target.
fuzz-ci: fuzz-replay
	fuzz/run_fuzz.sh run $(FUZZBUILD) 30

clean:
	rm -rf $(BUILD) $(ASANBUILD) $(FUZZBUILD)
