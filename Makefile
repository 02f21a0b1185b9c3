# Boardsmith: the two everyday commands are `make run` and `make test`.
BUILD ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)
CLI = $(BUILD)/apps/boardsmith-cli/boardsmith-cli

.PHONY: all deps build build-sanitize run test test-plain test-sanitize test-fuzz bench clean format format-check package package-check screenshots

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer build of the core, the
# command line and their tests.
build-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DBOARDSMITH_SANITIZE=ON -DBOARDSMITH_BUILD_BENCH=OFF -DBOARDSMITH_BUILD_APP=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)

run: build
	$(BUILD)/apps/boardsmith/boardsmith examples/demo.bsm6

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: build-sanitize
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each file reader under libFuzzer for a bounded time.
test-fuzz: deps
	./fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test: format-check test-plain test-sanitize test-fuzz package-check

# The C++ sources in the style of .clang-format: `format` rewrites them,
# `format-check` fails on any file that is not formatted.
format: deps
	./scripts/format.sh

format-check: deps
	./scripts/format.sh --check

# The Debian package $(BUILD)/boardsmith_<version>_<arch>.deb from the install
# rules (cmake/install.cmake, cmake/package.cmake): stripped, under /usr.
package: build
	cd $(BUILD) && cpack -G DEB

# The package's files and dependencies, and lintian without errors (about 20 s
# on a built tree, so `make test` runs it too).
package-check: package
	./tests/install/check_package.sh $(BUILD)

# The pictures of the user manual (docs/images), made by the editor itself
# under Xvfb from the example project.
screenshots: build
	xvfb-run -a -s "-screen 0 1400x900x24" $(BUILD)/tests/docs_screenshots examples/demo.bsm6 docs/images

bench: build
	$(BUILD)/bench/bench_model
	$(BUILD)/bench/bench_io
	$(BUILD)/bench/bench_render
	$(BUILD)/bench/bench_copper
	$(BUILD)/bench/bench_cam
	$(BUILD)/bench/bench_checks
	$(BUILD)/bench/bench_components
	$(BUILD)/bench/bench_import
	$(BUILD)/bench/bench_macro
	$(BUILD)/bench/bench_editor

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
