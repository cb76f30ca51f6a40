// The main window's part in keeping scan results: the offer to save them
// before they are lost, and the title that names the loaded file.
#include "app/main_window.h"

#include "app/globals.h"
#include "datafile/crc_file_commands.h"

#include <string>

namespace {

constexpr UINT kQuestionYesNoCancel = 0x23;
constexpr COLORREF kTextColour = 0x000000;
constexpr COLORREF kBackColour = 0xC0C0C0;
constexpr COLORREF kShadowColour = 0x808080;

}  // namespace

int MainWindow::OfferSave()
{
    if (!resultList.State().unsaved)
        return 1;
    const int answer = msgBox.Ask(hwnd, L"Save CRC's?", L"Ferrow", kQuestionYesNoCancel, 0,
                                  kTextColour, kBackColour, kShadowColour);
    if (answer == IDCANCEL)
        return 0;
    // A save that was wanted and failed stops the command, so the results
    // stay; a cancelled save prompt lets it go on.
    if (answer == IDYES)
        return SaveCrcFile(resultList) == SaveOutcome::Failed ? 0 : 1;
    return 1;
}

void MainWindow::SetTitle(const wchar_t* path)
{
    std::wstring title = L"Ferrow";
    if (path && *path)
        title.append(L" - ").append(path);
    SetWindowTextW(hwnd, title.c_str());
}
