// The review preview: one PNG showing every generated image, each labelled with its path.
#pragma once

// Reads every .webp below data_dir/textures whose path contains filter (all when empty), and writes
// them as thumbnails of up to thumb pixels (0: 128) on a checkered ground to out_png.
// Returns false when nothing could be read or the PNG could not be written.
bool write_contact_sheet(const char* data_dir, const char* out_png, const char* filter, int thumb);
