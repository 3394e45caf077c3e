// vellumine-thumbnailer end to end, as a file manager runs it: a document with a stored thumbnail
// (read, the picture scaled) and one without (read, the page drawn by the browser engine), at the
// sizes file managers ask for.  Reports the wall time per thumbnail and, as peak_MiB, the largest
// resident set of any of its processes (the parent, the reading child, the drawing child with the
// engine in it), from getrusage(RUSAGE_CHILDREN) of a process that does nothing but run it.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/zip_builder.h"
#include "text/fileutil.h"
#include "thumbnailer/thumbnail_image.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kRelationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/"
    "metadata/thumbnail\" Target=\"docProps/thumbnail.png\"/></Relationships>";

// A page of headings and paragraphs, as a report's first page holds.
std::string documentPart() {
  std::string xml = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (int i = 0; i < 60; ++i) {
    xml += i % 10 == 0 ? "<w:p><w:r><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr><w:t>Section heading</w:t></w:r></w:p>"
                       : "<w:p><w:r><w:t>A paragraph of the generated benchmark document, long enough to wrap "
                         "over more than one line of the page.</w:t></w:r></w:p>";
  }
  return xml + "</w:body></w:document>";
}

struct BenchDocuments {
  fs::path folder;
  fs::path stored;
  fs::path drawn;

  BenchDocuments() {
    folder = fs::temp_directory_path() / ("vellumine-thumbnailer-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    QImage picture(600, 800, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    vellumine::test::ZipBuilder withThumbnail;
    withThumbnail.add("_rels/.rels", kRelationships).add("word/document.xml", documentPart());
    withThumbnail.add("docProps/thumbnail.png", vellumine::pngBytes(picture), vellumine::test::Method::Stored);
    stored = folder / "stored.docx";
    vellumine::WriteTextFile(stored, withThumbnail.build());
    vellumine::test::ZipBuilder withoutThumbnail;
    withoutThumbnail.add("_rels/.rels", kRelationships).add("word/document.xml", documentPart());
    drawn = folder / "drawn.docx";
    vellumine::WriteTextFile(drawn, withoutThumbnail.build());
  }
  ~BenchDocuments() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

const BenchDocuments& documents() {
  static const BenchDocuments made;
  return made;
}

// Runs the thumbnailer once from a child of this process and returns that child's view of its
// descendants' largest resident set in KiB (negative when the run failed).
long runMeasured(const fs::path& document, int size, const fs::path& output) {
  int channel[2];
  if (::pipe(channel) != 0) return -1;
  const pid_t measurer = ::fork();
  if (measurer == 0) {
    ::close(channel[0]);
    const std::string sizeText = std::to_string(size);
    std::vector<std::string> args{VELLUMINE_THUMBNAILER, "-s", sizeText, document.string(), output.string()};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t program = 0;
    int status = 1;
    if (::posix_spawn(&program, argv[0], nullptr, nullptr, argv.data(), environ) == 0) ::waitpid(program, &status, 0);
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const long peak = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
    if (::write(channel[1], &peak, sizeof peak) != sizeof peak) ::_exit(1);
    ::_exit(0);
  }
  ::close(channel[1]);
  long peak = -1;
  if (::read(channel[0], &peak, sizeof peak) != sizeof peak) peak = -1;
  ::close(channel[0]);
  ::waitpid(measurer, nullptr, 0);
  return peak;
}

void runThumbnails(benchmark::State& state, const fs::path& document) {
  const int size = static_cast<int>(state.range(0));
  const fs::path output = documents().folder / "out.png";
  long peak = 0;
  for (auto _ : state) {
    const long run = runMeasured(document, size, output);
    if (run < 0) {
      state.SkipWithError("the thumbnailer failed");
      return;
    }
    peak = std::max(peak, run);
  }
  state.counters["peak_MiB"] = static_cast<double>(peak) / 1024.0;
}

void BM_StoredThumbnail(benchmark::State& state) { runThumbnails(state, documents().stored); }
void BM_DrawnThumbnail(benchmark::State& state) { runThumbnails(state, documents().drawn); }

// A process per thumbnail, seconds each for the drawn one: few iterations, wall time.
BENCHMARK(BM_StoredThumbnail)->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_DrawnThumbnail)->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
