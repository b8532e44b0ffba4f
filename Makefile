# Quillon: `make run` starts the program, `make test` runs every test.
# Both install what is missing (Debian 12), configure and build first.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH?= build-bench
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX     ?= /usr/local
CMAKE_GEN  := -G Ninja

.PHONY: all deps test-deps configure build run test install bench test-asan fuzz clean

all: build

deps:
	@./scripts/install-deps.sh

test-deps:
	@./scripts/install-deps.sh --test

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_GUI=ON -DQUILLON_TESTS=ON

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/quillon

test: test-deps build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The program, its launchers and help page in $(PREFIX)/lib/quillon, $(PREFIX)/bin/quillon, and a
# desktop entry with the icon and the XML and XSLT file types.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: deps
	cmake -S . -B $(BUILD_BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON -DQUILLON_TESTS=OFF -DQUILLON_GUI=ON
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@set -e; for b in $(BUILD_BENCH)/bench/*_bench; do echo "== $$b"; $$b; done

test-asan: deps test-deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_GUI=ON -DQUILLON_TESTS=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# libFuzzer targets, built with clang. Run one with e.g.
#   ./build-fuzz/fuzz/<target> fuzz/corpus/<target> -max_total_time=3600
fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_FUZZ=ON -DQUILLON_TESTS=OFF -DQUILLON_GUI=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ)
