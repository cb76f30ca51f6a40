#pragma once
// Window-free: how far a list line reaches when the list draws it, so that
// the list's horizontal extent can follow its widest line. The list draws
// each line one pixel in from its left edge and, when it uses tab stops,
// expands tabs as the system's tabbed text output does: a tab moves the text
// on to the first stop beyond where it stands.
#include <functional>
#include <string_view>
#include <vector>

// The pixel width of a run of characters without tabs, in the list's font.
using RunWidth = std::function<int(std::wstring_view run)>;

// Tab stops in pixels from the line's left edge.
struct TabStops {
    std::vector<int> stops;  // explicit stops, rising
    int spacing = 0;         // beyond them, a stop every `spacing` pixels (none when 0)
};

// The stops the list makes of the stops it is given in dialog units: one
// value is a distance that repeats, several are positions and then stops
// every eight average character widths follow, none gives those alone.
// baseUnit is the font's average character width (AverageCharWidth),
// averageWidth its text metrics' average width.
TabStops ListTabStops(const std::vector<int>& dialogUnits, int baseUnit, int averageWidth);

// The average character width that dialog units are measured in: from the
// width of the 52 letters "A" to "Z" and "a" to "z", rounded.
int AverageCharWidth(int alphabetWidth);

// The first stop beyond x; x itself when there is none.
int NextTabStop(int x, const TabStops& tabs);

// The horizontal extent a line needs to be seen whole: from the list's left
// edge to one pixel past its last character. tabs is null when the list
// shows tabs as characters.
int LineExtent(std::wstring_view line, const TabStops* tabs, const RunWidth& width);
