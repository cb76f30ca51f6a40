#include "app/main_window.h"

#include "app/boxes.h"
#include "app/frame_panes.h"
#include "app/program.h"
#include "app/result_list.h"
#include "resource.h"
#include "scan/scan_texts.h"
#include "app/walk_status.h"
#include "toolkit/system_library.h"

#include <shellapi.h>

namespace {

constexpr wchar_t kAboutText[] =
    L"" FERROW_NAME_TEXT " " FERROW_VERSION_TEXT "\n"
    L"Free to use and to pass on, without warranty.";
constexpr wchar_t kAboutLink[] = L"https://ferrow.example.org/";

}  // namespace

int MainWindow::OnOtherMessage(UINT msg, WPARAM, LPARAM lparam)
{
    if (msg == WM_APP_HOVER)
        statusBar.SetText(0, reinterpret_cast<const wchar_t*>(lparam));
    return 0;
}

void MainWindow::OnCommand(int id, int, HWND)
{
    // A click forwarded by the bar and an accelerator (code 1) are the same command.
    switch (id) {
    case IDM_SCAN:
        resultList.ScanCommand();
        break;
    case IDM_LOAD:
        resultList.Load();
        break;
    case IDM_COMPARE:
        resultList.CompareCommand();
        break;
    case IDM_SAVE:
        resultList.Save();
        break;
    case IDM_PRINT:
        resultList.Print();
        break;
    case IDM_ABOUT:
        ShowAbout();
        break;
    case IDM_EXIT:
        if (CanClose())
            Destroy();
        break;
    default:
        break;
    }
}

bool MainWindow::OnCreate()
{
    if (!programState.crcList.Allocate(kCrcListCapacity)) {
        ReportError(L"Not enough memory!", kProgramName);
        return false;
    }
    system_library::DragAcceptFiles(hwnd, TRUE);
    CenterWindow(hwnd);
    return FrameWindow::OnCreate();
}

void MainWindow::OnDestroy()
{
    system_library::DragAcceptFiles(hwnd, FALSE);
    programState.crcList.Release();
}

void MainWindow::OnDropFiles(HDROP drop)
{
    resultList.CheckDroppedItems(drop);
}

// The list wants its keys (LBS_WANTKEYBOARDINPUT) and does nothing with any
// of them itself: only Up, Down, Delete and the copy keys mean something here.
LRESULT MainWindow::OnVKeyToItem(int key, int caret)
{
    HWND list = resultList.Handle();
    switch (key) {
    case VK_UP:
        if (caret - 1 >= 0)
            SendMessageW(list, LB_SETCURSEL, caret - 1, 0);
        break;
    case VK_DOWN:
        if (caret + 1 < SendMessageW(list, LB_GETCOUNT, 0, 0))
            SendMessageW(list, LB_SETCURSEL, caret + 1, 0);
        break;
    case VK_DELETE: {
        SendMessageW(list, LB_DELETESTRING, caret, 0);
        const int left = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
        SendMessageW(list, LB_SETCURSEL, SelectionAfterDelete(caret, left), 0);
        break;
    }
    default:
        if (ListBox::IsCopyKey(key))
            resultList.CopyToClipboard();
        break;
    }
    return -2;
}

bool MainWindow::CanClose()
{
    return programCommands.CanClose();
}

int MainWindow::OfferSave()
{
    return programCommands.OfferSave();
}

void MainWindow::PreRegisterClass(WNDCLASSW& wc)
{
    wc.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_FERROW));
}

void MainWindow::PreCreate(CREATESTRUCTW& cs)
{
    cs.lpszName = kProgramName;
    cs.cx = 470;
    cs.cy = 400;
}

void MainWindow::ShowAbout()
{
    aboutBox.Ask(hwnd, kAboutText, kAboutLink, 0, IDI_FERROW, kBoxColours.text, kBoxColours.back,
                 kBoxColours.shadow);
}
