#include "scan/check_session.h"

#include "app/globals.h"
#include "scan/scan_texts.h"
#include "scan/walk_status.h"

namespace {

constexpr UINT kYesNoQuestion = MB_YESNO | MB_ICONQUESTION;   // 0x24
constexpr COLORREF kBoxText = 0;
constexpr COLORREF kBoxBack = 0xC0C0C0;
constexpr COLORREF kBoxShadow = 0x808080;

} // namespace

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
    return msgBox.Ask(resultList.Handle(), kAskContinue, kProgramName, kYesNoQuestion, 0,
                      kBoxText, kBoxBack, kBoxShadow) != IDNO;
}

bool ReportUnreadable(const std::wstring& path)
{
    mainWindow.ReportError(kErrorCantOpen, path.c_str());
    return UserContinuesCheck();
}
