#include "toolkit/line_extent.h"

namespace {

// The list draws its lines this far in from its left edge; the same margin
// after the last character keeps the end of the widest line clear of the edge.
constexpr int kLineIndent = 1;

// Tab stops in dialog units are quarters of the average character width.
int DialogUnitsToPixels(int units, int baseUnit)
{
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    const long long product = static_cast<long long>(units) * baseUnit;
    return static_cast<int>(product >= 0 ? (product + 2) / 4 : (product - 2) / 4);
}

} // namespace

TabStops ListTabStops(const std::vector<int>& dialogUnits, int baseUnit, int averageWidth)
{
    TabStops tabs;
    tabs.spacing = 8 * averageWidth;
    if (dialogUnits.size() == 1) {
        tabs.spacing = DialogUnitsToPixels(dialogUnits[0], baseUnit);
        return tabs;
    }
    for (int units : dialogUnits)
        tabs.stops.push_back(DialogUnitsToPixels(units, baseUnit));
    return tabs;
}

int AverageCharWidth(int alphabetWidth)
{
    return (alphabetWidth / 26 + 1) / 2;
}

int NextTabStop(int x, const TabStops& tabs)
{
    for (int stop : tabs.stops)
        if (stop > x)
            return stop;
    if (tabs.spacing <= 0)
        return x;
    if (x < 0)
        return 0;
    return (x / tabs.spacing + 1) * tabs.spacing;
}

int LineExtent(std::wstring_view line, const TabStops* tabs, const RunWidth& width)
{
    int x = kLineIndent;
    if (!tabs)
        return x + width(line) + kLineIndent;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == L'\t') {
            x = NextTabStop(x, *tabs);
            ++pos;
            continue;
        }
        const std::size_t end = line.find(L'\t', pos);
        const std::size_t stop = end == std::wstring_view::npos ? line.size() : end;
        x += width(line.substr(pos, stop - pos));
        pos = stop;
    }
    return x + kLineIndent;
}
