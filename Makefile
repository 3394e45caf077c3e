# The two commands a newcomer needs: `make run` and `make test`.  Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local

.PHONY: all deps build run test test-asan install package bench fuzz fuzz-sanitiser clean

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

# The programs, their resources, the desktop entry, icon, metainfo and man pages below PREFIX
# (DESTDIR, when set, is put before it, as packagers expect).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, in $(BUILD)/: vellumine_VERSION_ARCH.deb.
package: build
	cmake --build $(BUILD) --target package

# The core and its unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUMINE_SANITIZE=ON -DVELLUMINE_GUI=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMINE_BENCH=ON -DBUILD_TESTING=OFF -DVELLUMINE_GUI=OFF
	cmake --build build-bench -j $(JOBS)

# The converter fuzz target (clang, ASan + UBSan) for FUZZ_SECONDS, seeded with the corpus parts;
# findings land in build-fuzz/findings/, and belong in fuzz/regress/convert_fuzzer/ once fixed.
FUZZ_SECONDS ?= 1800
CORPUS ?= ../shared/corpus
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMINE_FUZZ=ON -DVELLUMINE_GUI=OFF -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target convert_fuzzer
	python3 fuzz/convert_seeds.py build-fuzz/seeds $(CORPUS)
	mkdir -p build-fuzz/corpus build-fuzz/findings
	build-fuzz/fuzz/convert_fuzzer build-fuzz/corpus build-fuzz/seeds fuzz/regress/convert_fuzzer \
	  -dict=fuzz/dict/docx.dict -max_len=65536 -timeout=1 -rss_limit_mb=4096 \
	  -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/findings/

# The sanitiser's fuzz target (same build) for FUZZ_SECONDS, seeded with fuzz/regress/sanitiser_fuzzer/.
fuzz-sanitiser: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMINE_FUZZ=ON -DVELLUMINE_GUI=OFF -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target sanitiser_fuzzer
	mkdir -p build-fuzz/sanitiser-corpus build-fuzz/findings
	build-fuzz/fuzz/sanitiser_fuzzer build-fuzz/sanitiser-corpus fuzz/regress/sanitiser_fuzzer \
	  -dict=fuzz/dict/html.dict -max_len=4096 -timeout=1 -rss_limit_mb=4096 \
	  -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/findings/

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench
