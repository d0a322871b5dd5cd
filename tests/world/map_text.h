// Map text held in memory and read through a real FILE stream.
#pragma once
#include <cstdio>
#include <string>

#include "world/map_stream.h"

// Owns a memory stream over a copy of `text` for the readers under test.
struct map_text {
  std::string text;
  FILE* file = nullptr;
  map_stream stream{};

  explicit map_text(const std::string& t) : text(t) {
    file = fmemopen(text.empty() ? nullptr : &text[0], text.size(), "r");
    stream = map_stream_over(file, "test.t3bsp");
  }
  ~map_text() {
    if (file) fclose(file);
  }
  map_text(const map_text&) = delete;
  map_text& operator=(const map_text&) = delete;
};
