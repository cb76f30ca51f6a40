#pragma once
#include "toolkit/window.h"

class BtnBar;
class ListBox;
class StatusBar;

// The top-level frame ("MainClass"): a button bar on top, a list in the
// middle and a status bar at the bottom, laid out on every size change.
class FrameWindow : public Window {
public:
    void OnAfterDestroy() override;
    bool RegisterWindowClass() override;
    void OnClose() override;
    bool OnCreate() override;
    LRESULT OnQueryEndSession() override;
    void OnSetFocus() override;
    void OnSize(UINT type, int width, int height) override;

    // Added overridables, in this order.
    virtual bool CanClose() { return true; }
    virtual void PreRegisterClass(WNDCLASSW&) {}
    virtual void PreCreate(CREATESTRUCTW&) {}
    virtual bool ShowSelf() { return false; }

    bool CreateFrame(ListBox& list, BtnBar& bar, StatusBar& status);
    void Show(int showCommand);
    bool LoadAccelerators(int resource);
    void Layout();

    HACCEL Accelerators() const { return accelerators; }
    int BarHeight() const { return barHeight; }

protected:
    HACCEL accelerators = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
    int barHeight = 0;
    BtnBar* bar = nullptr;
    StatusBar* status = nullptr;
    ListBox* list = nullptr;
};
