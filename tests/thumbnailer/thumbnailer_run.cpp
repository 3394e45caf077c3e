#include "thumbnailer/thumbnailer_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace vellumine::test {

namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char ch : text) {
    if (ch == '\'') {
      out += "'\\''";
    } else {
      out += ch;
    }
  }
  return out + "'";
}

}  // namespace

ThumbnailerRun runThumbnailer(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  const char* program = std::getenv("VELLUMINE_THUMBNAILER");
  ThumbnailerRun run;
  if (program == nullptr) {
    run.errors = "VELLUMINE_THUMBNAILER is not set";
    return run;
  }
  std::string command = "env VELLUMINE_THUMBNAILER_TIME_LIMIT_MS=60000";
  for (const std::string& assignment : environment) command += " " + quoted(assignment);
  command += " " + quoted(program);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.errors.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace vellumine::test
