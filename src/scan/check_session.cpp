#include "scan/check_session.h"

#include "app/boxes.h"
#include "app/frame_panes.h"
#include "app/main_window.h"
#include "scan/progress_dialog.h"
#include "scan/result_list.h"
#include "scan/scan_texts.h"
#include "scan/walk_status.h"

CheckSession::CheckSession(ResultList& list, const wchar_t* progressText) : running(list)
{
    progressDialog.Open(list.Handle(), progressText);
    list.State().aborted = 0;
    EnableWindow(btnBar.Handle(), FALSE);
}

void CheckSession::End()
{
    if (!open)
        return;
    open = false;
    // The walk is over: the status names the last file it reached, until
    // the caller puts its own text there.
    FlushWalkPath();
    progressDialog.Close();
    EnableWindow(btnBar.Handle(), TRUE);
}

bool UserContinuesCheck()
{
    return AskUser(resultList.Handle(), kAskContinue, kProgramName, kBoxYesNoStyle) != IDNO;
}

bool ReportUnreadable(const std::wstring& path)
{
    mainWindow.ReportError(kErrorCantOpen, path.c_str());
    return UserContinuesCheck();
}
