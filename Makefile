# The README's commands. Each installs the Debian packages it needs that are missing, builds what
# it needs, then runs. `make run`, `make install` and `make package` build the program alone.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
PACKAGES = packages.txt

.PHONY: all deps configure program build run install package translations test bench format clean

all: build

test format: PACKAGES += packages-test.txt
test package: PACKAGES += packages-package.txt
bench: PACKAGES += packages-test.txt packages-bench.txt

deps:
	@scripts/install-deps.sh $(PACKAGES)

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

program: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target threadloom

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: program
	$(BUILD_DIR)/threadloom

install: program
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# threadloom_VERSION_ARCH.deb in this folder, for `apt install ./threadloom_*.deb`.
package: program
	cd $(BUILD_DIR) && cpack -B package -D CPACK_OUTPUT_FILE_PREFIX=$(CURDIR)

# lupdate: translations/threadloom.ts (the template) and every translation made from it.
translations: configure
	cmake --build $(BUILD_DIR) --target update_translations

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	scripts/run-benchmarks.sh $(BUILD_DIR)

format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@scripts/clean-build.sh $(BUILD_DIR)


# Fuzzing and sanitizer builds, each in a build folder of its own. Neither runs in CI.
#   make fuzz [FUZZ_SECONDS=60]   builds the libFuzzer targets with clang, runs each for a while
#   make test-sanitized           the core tests and the widget tests without the browser engine,
#                                 built with ASan and UBSan, run under CTest
#   make kill-test [KILLS=200]    SIGKILLs watched-post removals, checks posts and sizes still pair
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZED_DIR ?= build-sanitized
KILLS ?= 200
FUZZ_CXX ?= clang++-14

.PHONY: fuzz-deps fuzz test-sanitized kill-test

fuzz-deps:
	@command -v $(FUZZ_CXX) >/dev/null && ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 \
		|| $$([ "$$(id -u)" = 0 ] || echo sudo) apt-get install -y --no-install-recommends clang-14 libclang-rt-14-dev

fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
		-DTHREADLOOM_FUZZ=ON -DBUILD_TESTING=OFF -DTHREADLOOM_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

test-sanitized: deps
	cmake -S . -B $(SANITIZED_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHREADLOOM_SANITIZE=ON -DTHREADLOOM_BENCH=OFF
	cmake --build $(SANITIZED_DIR) -j $(JOBS) --target core_tests gui_tests
	ctest --test-dir $(SANITIZED_DIR) -L 'core|gui' --output-on-failure -j $(JOBS)

kill-test: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target threadloom_removaldriver
	fuzz/kill/run-removal-kills.sh $(BUILD_DIR)/fuzz/threadloom_removaldriver $(KILLS)
