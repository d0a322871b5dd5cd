// Writing the whole data tree: images, sounds and the shipped config.
#pragma once

// Generates every file below data_dir (made if missing). Returns false if any file failed.
bool generate_data_tree(const char* data_dir);
