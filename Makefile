# The two commands a newcomer needs: `make run` and `make test`.  Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-asan bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-example $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

# The core and its unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUMINE_SANITIZE=ON -DVELLUMINE_GUI=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMINE_BENCH=ON -DBUILD_TESTING=OFF -DVELLUMINE_GUI=OFF
	cmake --build build-bench -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench
