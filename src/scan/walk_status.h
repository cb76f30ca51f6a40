#pragma once

// Shows the path of the file being read in the status bar's first part.
// The text itself is set for every file (reading it back always gives the
// current path), but repainting a status bar costs far more than reading a
// small file, so during a walk the bar is redrawn at most every
// kWalkPathRepaintMs. A timer catches up with the last text once the walk
// pauses or ends, so the screen is never more than a moment behind.
void ShowWalkPath(const wchar_t* path);

constexpr unsigned kWalkPathRepaintMs = 50;
