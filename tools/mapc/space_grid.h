// The level's space cut along every box side: which cells are solid, which reach the outside.
#pragma once
#include <vector>

#include "tools/mapc/mapc_source.h"

// The cells between consecutive distinct box coordinates on each axis (plus one
// margin cell all around). Each cell is wholly solid or wholly empty.
struct mapc_space {
  std::vector<double> cuts[3];
  int n[3];                   // cells per axis
  std::vector<char> solid;    // per cell
  std::vector<char> outside;  // per cell: empty and connected to the margin
  std::vector<int> parent;    // per outside cell: the neighbour it was reached from (-1 at the margin)
};

// Cuts the space and floods the empty cells from the margin.
mapc_space mapc_space_build(const std::vector<mapc_box>& boxes);
// The cell holding p (a point on a cut belongs to the cell above it); -1 off the grid.
int mapc_space_cell(const mapc_space& s, const mapc_vec& p);
// Centre of a cell.
mapc_vec mapc_space_centre(const mapc_space& s, int cell);
// The cells from `cell` to the margin along the flood's parents.
std::vector<int> mapc_space_path_out(const mapc_space& s, int cell);
