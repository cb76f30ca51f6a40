// The main window's part in keeping scan results: the offer to save them
// before they are lost, and the title that names the loaded file.
#include "app/main_window.h"

#include "app/boxes.h"
#include "datafile/crc_file_commands.h"
#include "scan/scan_texts.h"
#include "scan/result_list.h"

#include <string>

int MainWindow::OfferSave()
{
    if (!resultList.State().unsaved)
        return 1;
    const int answer = AskUser(hwnd, kAskSave, kProgramName, kBoxYesNoCancelStyle);
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
    std::wstring title = kProgramName;
    if (path && *path)
        title.append(L" - ").append(path);
    SetWindowTextW(hwnd, title.c_str());
}
