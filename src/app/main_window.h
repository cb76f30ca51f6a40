#pragma once
#include "toolkit/frame_window.h"

// The program's main window: routes the seven commands, drops, list keys,
// hover texts and closing.
class MainWindow : public FrameWindow {
public:
    int OnOtherMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    void OnCommand(int id, int code, HWND sender) override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnDropFiles(HDROP drop) override;
    LRESULT OnVKeyToItem(int key, int caret) override;
    bool CanClose() override;
    void PreRegisterClass(WNDCLASSW& wc) override;
    void PreCreate(CREATESTRUCTW& cs) override;

    // The program's message box with one OK button and the exclamation icon.
    int ReportError(const wchar_t* text, const wchar_t* caption);
    void ShowAbout();
    // Takes messages until the quit message and returns its code.
    int RunMessageLoop();
    // One message of the main loop: the progress dialog's keys while that
    // dialog is open, then the accelerators, else translate and dispatch.
    void HandleLoopMessage(MSG& msg);

    // "Save CRC's?" when the last scan was never saved; 0 when the caller must stop.
    int OfferSave();
    // "Ferrow", or "Ferrow - " and the path.
    void SetTitle(const wchar_t* path);

private:
    // A close request came while a check ran: the check was told to stop,
    // and the window is closed (with the offer to save) once it has returned.
    bool closeAfterCheck = false;
};

extern MainWindow mainWindow;
