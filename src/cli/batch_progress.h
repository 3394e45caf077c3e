// What a batch conversion says on standard error.  On a terminal: one status line rewritten in
// place ("[37/150] name.docx") and a summary at the end; elsewhere only the warnings and errors,
// as a filter keeps quiet about success (the exit status tells how the batch went).  The lines of
// several worker threads never mix.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace vellumine {

class BatchProgress {
 public:
  // total documents, written to out; onTerminal shows the status line and the summary.
  BatchProgress(std::size_t total, std::FILE* out, bool onTerminal);

  // A warning or error line; on a terminal the status line is cleared before it and drawn again after.
  void message(std::string_view line);
  // One document is done, converted or not; name is what the status line shows.
  void finished(std::string_view name, bool converted);
  // "vellumine-convert: 148 converted, 2 failed, 1.3 s" in place of the status line (terminal only).
  void summary();
  std::size_t failed();

 private:
  void drawStatus();

  std::mutex lock_;
  std::size_t total_;
  std::FILE* out_;
  bool onTerminal_;
  std::size_t done_ = 0;
  std::size_t failed_ = 0;
  std::string status_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Elapsed time as seconds with one decimal ("0.8 s", "12.3 s"), written without the locale.
std::string formatSeconds(std::chrono::steady_clock::duration elapsed);

}  // namespace vellumine
