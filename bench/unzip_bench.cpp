// Package extraction speed: a generated ~50 MB package (a large document part and 400 images,
// deflated as word processors store them) extracted with extractPackage per iteration.
// Set VELLUMINE_BENCH_PACKAGE=/path/x.docx to keep the generated package for a side-by-side run
// with another extractor.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "package/unzip_docx.h"
#include "support/zip_builder.h"

namespace {

namespace fs = std::filesystem;

// Image-like bytes: mostly noise, which deflate can barely shrink, with some flat runs.
std::string imageBytes(std::size_t size, std::uint64_t seed) {
  std::string s(size, '\0');
  std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
  for (std::size_t i = 0; i < size; ++i) {
    if ((i / 4096) % 4 == 3) continue;  // a flat stretch every 16 KiB
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    s[i] = static_cast<char>(x);
  }
  return s;
}

std::string documentPart(std::size_t size) {
  std::string s = "<w:document><w:body>";
  for (int i = 0; s.size() < size; ++i) {
    s += "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr><w:r><w:t>Paragraph ";
    s += std::to_string(i);
    s += " of the generated benchmark document.</w:t></w:r></w:p>";
  }
  return s + "</w:body></w:document>";
}

struct BenchPackage {
  fs::path folder;
  fs::path archive;
  std::uint64_t unpackedBytes = 0;

  BenchPackage() {
    folder = fs::temp_directory_path() / ("vellumine-unzip-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const char* keep = std::getenv("VELLUMINE_BENCH_PACKAGE");
    archive = keep ? fs::path(keep) : folder / "bench.docx";
    vellumine::test::ZipBuilder zip;
    std::string doc = documentPart(2 << 20);
    zip.add("[Content_Types].xml", "<Types/>").add("word/document.xml", doc);
    unpackedBytes = doc.size() + 8;
    for (int i = 0; i < 400; ++i) {
      std::string image = imageBytes(120 * 1024, static_cast<std::uint64_t>(i));
      unpackedBytes += image.size();
      zip.add("word/media/image" + std::to_string(i + 1) + ".png", std::move(image));
    }
    std::ofstream(archive, std::ios::binary) << zip.build();
  }
  ~BenchPackage() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

void BM_ExtractPackage(benchmark::State& state) {
  static BenchPackage package;
  int run = 0;
  for (auto _ : state) {
    fs::path out = package.folder / ("pkg" + std::to_string(run++));
    vellumine::extractPackage(package.archive, out);
    state.PauseTiming();
    fs::remove_all(out);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * package.unpackedBytes));
}
BENCHMARK(BM_ExtractPackage)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
