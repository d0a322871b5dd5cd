// libFuzzer target: the demo reader on arbitrary bytes. A demo it accepts
// keeps to its own limits, and writing it back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/demo_file.h"
#include "config/skill.h"

namespace {

bool same(const demo& a, const demo& b) {
  if (a.map_path != b.map_path || a.map_digest != b.map_digest || a.end_line != b.end_line ||
      a.ticks.size() != b.ticks.size() || a.key_changes.size() != b.key_changes.size())
    return false;
  for (size_t i = 0; i < a.ticks.size(); ++i)
    if (memcmp(a.ticks[i].mouse, b.ticks[i].mouse, sizeof a.ticks[i].mouse) != 0 ||
        a.ticks[i].digest != b.ticks[i].digest || a.ticks[i].first_change != b.ticks[i].first_change ||
        a.ticks[i].change_count != b.ticks[i].change_count)
      return false;
  for (size_t i = 0; i < a.key_changes.size(); ++i)
    if (a.key_changes[i].slot != b.key_changes[i].slot || a.key_changes[i].value != b.key_changes[i].value)
      return false;
  for (int i = 0; i < config_var_count; ++i)
    if (strcmp(a.config.vars[i].name, b.config.vars[i].name) != 0 ||
        memcmp(&a.config.vars[i].value, &b.config.vars[i].value, sizeof a.config.vars[i].value) != 0)
      return false;
  return config_skill(a.config) == config_skill(b.config);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!freopen("/dev/null", "w", stdout)) return 0;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = size ? fmemopen(const_cast<uint8_t*>(data), size, "r") : fopen("/dev/null", "r");
  if (!file) return 0;
  demo d;
  bool ok = demo_read_stream(file, "fuzz.demo", d);
  fclose(file);
  if (!ok) {
    if (!d.ticks.empty() || !d.key_changes.empty() || !d.map_path.empty()) abort();  // refused means empty
    return 0;
  }
  if (d.ticks.size() > static_cast<size_t>(demo_max_ticks) ||
      d.map_path.size() > static_cast<size_t>(demo_max_path) ||
      d.end_line.size() > static_cast<size_t>(demo_max_end_line))
    abort();
  for (const demo_tick& t : d.ticks)
    if (static_cast<size_t>(t.first_change) + t.change_count > d.key_changes.size()) abort();
  for (const demo_key_change& c : d.key_changes)
    if (c.slot > 101 || c.value > 3) abort();
  // Written back, it reads the same.
  char* text = nullptr;
  size_t length = 0;
  FILE* out = open_memstream(&text, &length);
  if (!out) return 0;
  bool written = demo_write_stream(out, d);
  fclose(out);
  if (written) {
    FILE* in = fmemopen(text, length, "r");
    demo again;
    if (!in || !demo_read_stream(in, "fuzz-again.demo", again) || !same(d, again)) abort();
    fclose(in);
  }
  free(text);
  return 0;
}
