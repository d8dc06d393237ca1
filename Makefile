# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# make run   installs what is missing, builds Release and starts Vexlo
# make test  the same set-up, then the whole test suite
# make test-asan  the suite again with AddressSanitizer + UndefinedBehaviorSanitizer
# make test-tsan  the core and generation tests with ThreadSanitizer (own build folder)
# make format-check  fails on a file clang-format would change
# make tidy       clang-tidy (.clang-tidy) over the sources of the core layers
BUILD     ?= build
ASANBUILD ?= build-asan
TSANBUILD ?= build-tsan
JOBS      ?= $(shell nproc)
CTEST_ARGS ?=
WERROR    := $(if $(filter true 1 yes,$(CI)),ON,OFF)

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build run test test-asan test-tsan format-check tidy bench fuzz fuzz-run fuzz-replay fuzz-ci clean

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

# The worker, the message thread and the ordered pipeline are our own
# concurrency; their tests (labels core and generation) run under TSan. Qt is
# not instrumented: tests/support/tsan.supp names what that makes TSan misread.
# Some of them run the program itself (the command line), so it is built too.
test-tsan: deps
	cmake -S . -B $(TSANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DVEXLO_TSAN=ON -DVEXLO_WERROR=$(WERROR)
	cmake --build $(TSANBUILD) -j $(JOBS) --target vexlo vexlo_data \
	  $$(cd $(TSANBUILD) && ctest -N -L '^(core|generation)$$' | sed -n 's/^ *Test *#[0-9]*: \(\(core\|generation\)_test_.*\)$$/\1/p')
	cd $(TSANBUILD) && ctest --output-on-failure -j $(JOBS) -L '^(core|generation)$$' $(CTEST_ARGS)

format-check:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# The sources of vexlo_imaging and vexlo_core (the list the build writes for
# the layer check): the pixel code, the parsers and the hand-made concurrency.
# The windows are thin over them; tidying them too would double the time.
tidy: configure
	cmake --build $(BUILD) --target vexlo_core_autogen vexlo_imaging_autogen
	tr ';' '\n' < $(BUILD)/layer-sources.txt | sed 's/^[a-z]*://' | grep '\.cpp$$' | grep -v '/$(BUILD)/' \
	  | xargs run-clang-tidy -p $(BUILD) -j $(JOBS) -quiet > $(BUILD)/tidy.log 2>&1 \
	  || { grep -E 'error:|warning:' -A3 $(BUILD)/tidy.log | head -200; exit 1; }

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
	rm -rf $(BUILD) $(ASANBUILD) $(TSANBUILD) $(FUZZBUILD)
