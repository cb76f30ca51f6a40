#pragma once

// Shows the path of the file being read in the status bar's first part.
// Setting a status bar's text makes it repaint, which under some systems
// costs more than reading a small file; so during a walk the first path is
// shown at once and later ones at most every kWalkPathRepaintMs, each tick
// showing the latest. The bar is never more than one tick behind the walk,
// and a text the program puts there itself is never covered by an older path.
void ShowWalkPath(const wchar_t* path);

// Shows the latest walk path now and leaves nothing pending: before an
// error is reported, so the status names the file the walk reached, and
// when a walk ends, so it names the last file unless the walk's end put a
// text of its own there.
void FlushWalkPath();

constexpr unsigned kWalkPathRepaintMs = 50;
