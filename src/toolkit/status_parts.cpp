#include "toolkit/status_parts.h"

void ComputePartEdges(int windowWidth, int avgCharWidth, const int* partWidths, int count,
                      int* edges)
{
    if (count <= 0)
        return;
    edges[count - 1] = windowWidth - count * avgCharWidth;
    for (int i = count - 1; i >= 1; --i)
        edges[i - 1] = edges[i] - partWidths[i] * avgCharWidth;
}
