// tarvo_mixcheck: records one part of the game's mix through OpenAL Soft's
// wave backend, or measures recorded parts. scripts/mix_table.sh runs it
// part by part (OpenAL reads its backend once per process) and prints the
// table.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/mixcheck/mix_measure.h"
#include "tools/mixcheck/mix_record.h"

namespace {

int usage() {
  fprintf(stderr,
          "usage: tarvo_mixcheck record PART OUT.wav [SECONDS]   (from the folder holding data/)\n"
          "       tarvo_mixcheck measure FILE.wav...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && strcmp(argv[1], "record") == 0) {
    double seconds = argc >= 5 ? atof(argv[4]) : 30.0;
    if (!(seconds > 0.0) || seconds > 600.0) return usage();
    mix_use_wave_backend(argv[3]);
    return mix_record(argv[2], seconds) ? 0 : 1;
  }
  if (argc >= 3 && strcmp(argv[1], "measure") == 0) {
    int status = 0;
    for (int i = 2; i < argc; ++i) {
      mix_measure_result r;
      if (!mix_measure(argv[i], &r)) {
        status = 1;
        continue;
      }
      printf("%s %.1f %.1f %.3f %.1f\n", argv[i], r.integrated, r.momentary_max, r.low_share, r.seconds);
    }
    return status;
  }
  return usage();
}
