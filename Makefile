# The two commands a newcomer needs: `make run` and `make test`.  Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local

.PHONY: all deps build run test test-asan install package bench fuzz fuzz-zip fuzz-sanitiser fuzz-model fuzz-picture clean

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

# The core and its unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer; the
# benchmark programs are built there too (not run), so that a change cannot leave them broken.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUMINE_SANITIZE=ON -DVELLUMINE_GUI=OFF -DVELLUMINE_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMINE_BENCH=ON -DBUILD_TESTING=OFF -DVELLUMINE_GUI=OFF
	cmake --build build-bench -j $(JOBS)

# The fuzz targets (clang, ASan + UBSan) for FUZZ_SECONDS each: the converter seeded with the
# parts of the corpus documents, the ZIP reader and the sanitiser with their seeds in fuzz/seeds/.
# Findings land in build-fuzz/findings/, and belong in fuzz/regress/<target>/ once fixed (ctest
# replays them there).  $(call run-fuzzer,TARGET,DICTIONARY,MAX_LEN,SEED FOLDERS)
FUZZ_SECONDS ?= 1800
CORPUS ?= ../shared/corpus
define run-fuzzer
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMINE_FUZZ=ON -DVELLUMINE_GUI=OFF -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target $(1)
	mkdir -p build-fuzz/$(1)-corpus build-fuzz/findings
	build-fuzz/fuzz/$(1) build-fuzz/$(1)-corpus $(4) $(wildcard fuzz/regress/$(1)) \
	  -dict=fuzz/dict/$(2) -max_len=$(3) -timeout=1 -rss_limit_mb=4096 \
	  -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/findings/
endef

fuzz: deps
	mkdir -p build-fuzz
	python3 fuzz/convert_seeds.py build-fuzz/seeds $(CORPUS)
	$(call run-fuzzer,convert_fuzzer,docx.dict,65536,build-fuzz/seeds)

fuzz-zip: deps
	$(call run-fuzzer,zip_reader_fuzzer,zip.dict,65536,fuzz/seeds/zip_reader_fuzzer)

fuzz-sanitiser: deps
	$(call run-fuzzer,sanitiser_fuzzer,html.dict,4096,fuzz/seeds/sanitiser_fuzzer)

# The model reader's, seeded with the corpus documents' parts and its own seeds.
fuzz-model: deps
	mkdir -p build-fuzz
	python3 fuzz/model_seeds.py build-fuzz/model-seeds $(CORPUS)
	$(call run-fuzzer,model_fuzzer,docx.dict,65536,build-fuzz/model-seeds fuzz/seeds/model_fuzzer)

# The picture converters' (EMF, WMF, TIFF, the SVG cleaner), seeded with small pictures of each format.
fuzz-picture: deps
	$(call run-fuzzer,picture_fuzzer,picture.dict,262144,fuzz/seeds/picture_fuzzer)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz
