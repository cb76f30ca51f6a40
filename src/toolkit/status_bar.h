#pragma once
#include "toolkit/control.h"

#include <vector>

// The common-controls status window at the bottom of the frame, divided into
// parts whose widths are given in average character widths.
class StatusBar : public Control {
public:
    bool OnCommandNotify(int, int) override { return false; }

    bool AllocateParts(int n);
    void AddPart(int width, DWORD textStyle);
    bool CreateStatus(HWND parent);
    void OnParentSize(WPARAM sizeType, LPARAM packedSize);
    int VisibleHeight() const;
    void SetText(int part, const wchar_t* text) const;

    const std::vector<int>& PartEdges() const { return partEdges; }

private:
    HWND parent = nullptr;
    int capacity = 0;
    int count = 0;
    std::vector<int> partWidths;
    std::vector<DWORD> partStyles;
    std::vector<int> partEdges;
};
