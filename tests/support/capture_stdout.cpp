// Capturing what the code under test prints to standard output.
#include "tests/support/capture_stdout.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

int saved_fd = -1;
FILE* capture_file = nullptr;

}  // namespace

void capture_stdout_begin() {
  fflush(stdout);
  capture_file = tmpfile();
  saved_fd = dup(fileno(stdout));
  dup2(fileno(capture_file), fileno(stdout));
}

std::string capture_stdout_end() {
  fflush(stdout);
  dup2(saved_fd, fileno(stdout));
  close(saved_fd);
  saved_fd = -1;
  std::string text;
  rewind(capture_file);
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, capture_file)) > 0) text.append(buffer, n);
  fclose(capture_file);
  capture_file = nullptr;
  return text;
}

bool lines_in_order(const std::string& text, const std::vector<std::string>& lines, std::string* missing) {
  size_t at = 0;
  for (const std::string& line : lines) {
    size_t found = text.find(line, at);
    if (found == std::string::npos) {
      if (missing) *missing = line;
      return false;
    }
    at = found + line.size();
  }
  return true;
}

int count_occurrences(const std::string& text, const std::string& needle) {
  int count = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
    ++count;
  return count;
}
