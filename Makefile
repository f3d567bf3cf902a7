# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Veltrix 2.0 — the commands a developer types.
#   make run       install what is missing, build the programs, start one
#   make test      install what is missing, build, run every test
#   make sanitize  the same tests built with address + undefined-behaviour sanitizers
#   make bench     build and run the benchmarks, and the exporter against gnuplot
#   make fuzz      build the fuzz targets with Clang and run each for FUZZ_SECONDS
#   make format-check  the house style of .clang-format (make format applies it)
#   make licence-check  every file's copyright and licence (reuse lint)
#   make package   the Debian packages veltrix and libqel-dev (build-package/)
#   make install   the programs, the library and its development files
#
# CC=clang CXX=clang++ make test (or sanitize) builds with Clang in folders
# of its own; Clang's sanitizer build holds the fuzz targets as well.

CLANG      := $(if $(findstring clang,$(notdir $(CXX))),-clang,)
BUILD      ?= build$(CLANG)
ASAN_BUILD ?= build-asan$(CLANG)
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-asan-clang
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps deps-run build programs test sanitize fuzz bench run install package clean format format-check licence-check spdx-headers

all: build

deps:
	@sh scripts/install-deps.sh

# The packages that building and starting the programs needs (make run).
deps-run:
	@sh scripts/install-deps.sh run

$(BUILD)/build.ninja: | deps-run
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# What `make run` starts and what it needs: the programs and the library,
# none of the tests.
PROGRAMS := veltrix veltrix-export qel

programs: deps-run $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAMS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELTRIX_SANITIZE=ON \
	      $(if $(CLANG),-DVELTRIX_FUZZ=ON)

sanitize: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	      -DVELTRIX_SANITIZE=ON -DVELTRIX_FUZZ=ON

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	sh tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

$(BENCH_BUILD)/build.ninja: | deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DVELTRIX_BUILD_TESTS=OFF -DVELTRIX_BUILD_BENCH=ON

bench: deps $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BENCH_BUILD)/bench/*/*_bench; do \
	    echo "== $$b"; \
	    if [ -n "$$DISPLAY" ] || ! command -v xvfb-run >/dev/null; then $$b || exit 1; \
	    else xvfb-run -a -s "-screen 0 1280x1024x24" $$b || exit 1; fi; \
	done
	@sh bench/export/compare.sh $(BENCH_BUILD)
	@sh bench/gui/gui_times.sh $(BENCH_BUILD)
	@sh bench/export/share_times.sh $(BENCH_BUILD)

format-check: deps
	@sh scripts/check-format.sh

format: deps
	@sh scripts/check-format.sh --fix

licence-check: deps
	reuse lint

# Adds the licence header to every file that lacks one.
spdx-headers:
	@sh scripts/spdx-headers.sh

run: programs
	@sh scripts/run.sh $(BUILD)

install: build
	cmake --install $(BUILD)

package: deps
	@sh scripts/make-package.sh build-package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) build-package
