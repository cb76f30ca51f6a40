#pragma once

// Right edges of the status window's parts, in pixels. Part widths are given
// in average character widths. The last part ends one character width per
// part short of the window's right end; each earlier part ends where the next
// one begins. Part 0's own width plays no role: it runs from the left end.
void ComputePartEdges(int windowWidth, int avgCharWidth, const int* partWidths, int count,
                      int* edges);
