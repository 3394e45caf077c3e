// The batch's status line: "\r" returns to its start and "ESC [ K" clears what an earlier, longer
// line left; every write is flushed, as standard error may be buffered when redirected.
#include "cli/batch_progress.h"

namespace vellumine {

namespace {

constexpr std::string_view kClearLine = "\r\033[K";

void put(std::FILE* out, std::string_view text) { std::fwrite(text.data(), 1, text.size(), out); }

}  // namespace

std::string formatSeconds(std::chrono::steady_clock::duration elapsed) {
  const auto tenths = (std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

BatchProgress::BatchProgress(std::size_t total, std::FILE* out, bool onTerminal)
    : total_(total), out_(out), onTerminal_(onTerminal) {}

void BatchProgress::message(std::string_view line) {
  std::lock_guard<std::mutex> guard(lock_);
  if (onTerminal_ && !status_.empty()) put(out_, kClearLine);
  put(out_, line);
  put(out_, "\n");
  if (onTerminal_) drawStatus();
  std::fflush(out_);
}

void BatchProgress::finished(std::string_view name, bool converted) {
  std::lock_guard<std::mutex> guard(lock_);
  ++done_;
  if (!converted) ++failed_;
  if (!onTerminal_) return;
  status_ = "[" + std::to_string(done_) + "/" + std::to_string(total_) + "] ";
  status_ += name;
  drawStatus();
  std::fflush(out_);
}

void BatchProgress::summary() {
  std::lock_guard<std::mutex> guard(lock_);
  if (!onTerminal_) return;
  if (!status_.empty()) put(out_, kClearLine);
  status_.clear();
  put(out_, "vellumine-convert: " + std::to_string(done_ - failed_) + " converted, " + std::to_string(failed_) +
                " failed, " + formatSeconds(std::chrono::steady_clock::now() - start_) + "\n");
  std::fflush(out_);
}

std::size_t BatchProgress::failed() {
  std::lock_guard<std::mutex> guard(lock_);
  return failed_;
}

void BatchProgress::drawStatus() {
  if (status_.empty()) return;
  put(out_, kClearLine);
  put(out_, status_);
}

}  // namespace vellumine
