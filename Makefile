# The README's commands. Each installs the Debian packages it needs that are missing, builds what
# it needs, then runs. `make run` and `make install` build the program alone.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
PACKAGES = packages.txt

.PHONY: all deps configure program build run install test bench format clean

all: build

test format: PACKAGES += packages-test.txt
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

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	scripts/run-benchmarks.sh $(BUILD_DIR)

format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@scripts/clean-build.sh $(BUILD_DIR)
