// tarvo_assetgen: writes the game's data folder, or a contact sheet of its images for review.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/assetgen/asset_tree.h"
#include "tools/assetgen/contact_sheet.h"

namespace {

void usage() {
  printf(
      "usage: tarvo_assetgen DATA_DIR\n"
      "       tarvo_assetgen --preview DATA_DIR OUT.png [PATH_FILTER] [THUMB_SIZE]\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && argv[1][0] != '-') return generate_data_tree(argv[1]) ? 0 : 1;
  if (argc >= 4 && argc <= 6 && strcmp(argv[1], "--preview") == 0) {
    const char* filter = argc >= 5 ? argv[4] : "";
    int thumb = argc == 6 ? atoi(argv[5]) : 0;
    return write_contact_sheet(argv[2], argv[3], filter, thumb) ? 0 : 1;
  }
  usage();
  return 2;
}
