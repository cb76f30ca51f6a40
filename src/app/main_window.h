#pragma once
#include "scan/command_window.h"
#include "toolkit/frame_window.h"

// The program's main window: routes the seven commands, drops, list keys,
// hover texts and closing, and is the window the commands talk to.
class MainWindow : public FrameWindow, public CommandWindow {
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

    void ShowAbout();
    // Takes messages until the quit message and returns its code.
    int RunMessageLoop();
    // One message of the main loop: the progress dialog's keys while that
    // dialog is open, then the accelerators, else translate and dispatch.
    void HandleLoopMessage(MSG& msg);

    // "Save CRC's?" when the last scan was never saved; 0 when the caller must stop.
    int OfferSave();

    // What the commands need of the window (main_window_commands.cpp).
    void AddLine(const std::wstring& line) override;
    void ClearLines() override;
    int LineCount() const override;
    std::wstring Line(int index) const override;
    int Ask(const wchar_t* text, const wchar_t* caption, unsigned style, BoxOwner owner) override;
    using CommandWindow::Ask;
    // The program's message box with one OK button and the exclamation icon.
    void ReportError(const wchar_t* text, const wchar_t* caption) override;
    void SetStatus(const wchar_t* text) override;
    void ShowWalkPath(const std::wstring& path) override;
    ResultButtons ShownButtons() const override;
    void ShowButtons(const ResultButtons& buttons) override;
    bool IsButtonEnabled(int commandId) const override;
    void EnableCommands(bool enabled) override;
    void OpenProgress(const wchar_t* text) override;
    void CloseProgress() override;
    bool HandlePendingEvents() override;
    void SetTitle(const wchar_t* path) override;
    int ChooseDrive(bool scan, wchar_t& drive) override;
    FileChoice ChooseDataFile(bool open) override;
};

extern MainWindow mainWindow;
