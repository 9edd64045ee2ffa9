# make run   : install what is missing, build, start the app on the bundled data
# make test  : install what is missing, build, run every test headless (plus a sanitizer build of
#              the core and the command line, one of the workbook readers, and a Release build of
#              the core and the command line)
# make fuzz  : build the fuzz targets with clang and run each for FUZZ_SECONDS (not part of make test)
# make install [PREFIX=dir], make package (a .deb in build/)
BUILD      ?= build
ASAN_BUILD ?= build-asan
ASAN_IO_BUILD ?= build-asan-io
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-main test-asan test-asan-io test-release install package fuzz bench screenshots format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/yarrow

test-main: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYARROW_CORE_ONLY=ON -DYARROW_SANITIZE=ON

test-asan: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L 'core|cli' --timeout 600

# The workbook readers under the same sanitizers: a Qt build of which only the io tests and the
# workbook fuzz replays are built (the window is left out to keep this short).
IO_SANITIZED = io_tests replay_fuzz_workbook_xlsx replay_fuzz_workbook_ods replay_fuzz_workbook_csv \
               replay_fuzz_workbook_server
$(ASAN_IO_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_IO_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYARROW_SANITIZE=ON -DYARROW_BENCH=OFF

test-asan-io: $(ASAN_IO_BUILD)/build.ninja
	cmake --build $(ASAN_IO_BUILD) -j $(JOBS) --target $(IO_SANITIZED)
	cd $(ASAN_IO_BUILD) && ctest --output-on-failure -j $(JOBS) -L io --timeout 600

# Optimised code meets warnings the other builds do not; the Qt-free tree keeps this build short.
$(RELEASE_BUILD)/build.ninja: | deps
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DYARROW_CORE_ONLY=ON -DYARROW_BENCH=OFF

test-release: $(RELEASE_BUILD)/build.ninja
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	cd $(RELEASE_BUILD) && ctest --output-on-failure -j $(JOBS) -L cli --timeout 600

test: test-main test-asan test-asan-io test-release

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

package: build
	cmake --build $(BUILD) --target package

fuzz:
	@scripts/install-deps.sh fuzz
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz.sh $(FUZZ_TARGETS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

screenshots: build
	scripts/screenshots.sh $(BUILD)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(ASAN_IO_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
