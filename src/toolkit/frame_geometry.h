#pragma once

// Window-free geometry of the main frame: the button bar's height, the row of
// buttons on it, and the three panes of the client area.

// The bar is the display font's character height plus 6 pixels above and below.
int BarHeightFor(int charHeight);

// Buttons sit 3 pixels below the bar's top and leave 3 pixels below them.
constexpr int kButtonTop = 3;
int ButtonHeightFor(int barHeight);

// Left-to-right placement of the bar's buttons: the first at x 2, each next
// one 3 pixels after the previous one's right end. A button that could not be
// created is not committed, so the next one takes its place.
class ButtonRow {
public:
    static constexpr int kFirstX = 2;
    static constexpr int kGap = 3;

    int NextX() const { return nextX; }
    void Commit(int width) { nextX += width + kGap; }
    void Reset() { nextX = kFirstX; }

private:
    int nextX = kFirstX;
};

struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PaneLayout {
    PaneRect bar;
    PaneRect list;
    PaneRect status;
};

// The bar on top (height barHeight, 0 when the bar is hidden), the status
// window at the bottom (statusHeight, 0 when hidden) and the list between them.
PaneLayout ComputePaneLayout(int clientWidth, int clientHeight, int barHeight, int statusHeight);
