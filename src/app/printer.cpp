#include "app/printer.h"

#include "app/print_layout.h"
#include "toolkit/system_library.h"

namespace {

constexpr DWORD kFromPage = 1;
constexpr DWORD kToPage = 65535;

// The dialog hands back its device-mode and device-names blocks for the
// caller to free; nothing here keeps them past the dialog.
void ReleaseDialogBlocks(PRINTDLGW& pd)
{
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    pd.hDevMode = nullptr;
    pd.hDevNames = nullptr;
}

bool TractorFeedChosen(HGLOBAL devMode)
{
    if (!devMode)
        return false;
    const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    if (!mode)
        return false;
    const bool tractor = mode->dmDefaultSource == DMBIN_TRACTOR;
    GlobalUnlock(devMode);
    return tractor;
}

}  // namespace

Printer::~Printer()
{
    LetGo();
}

bool Printer::BeginDocument(const wchar_t* documentName)
{
    LetGo();
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_NOSELECTION | PD_RETURNDC;
    pd.nFromPage = kFromPage;
    pd.nToPage = kToPage;
    pd.nMinPage = kFromPage;
    pd.nMaxPage = kToPage;

    const BOOL confirmed = system_library::PrintDialog(&pd);
    if (confirmed) {
        tractorFeed = TractorFeedChosen(pd.hDevMode);
        copies = pd.nCopies;
    }
    ReleaseDialogBlocks(pd);
    if (!confirmed || !pd.hDC)
        return false;

    dc = pd.hDC;
    RecordMetrics();

    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documentName;
    if (StartDocW(dc, &doc) > 0)
        return true;
    LetGo();
    return false;
}

bool Printer::StartPage()
{
    return ::StartPage(dc) > 0;
}

void Printer::PrintAt(int line, int column, std::wstring_view text)
{
    TextOutW(dc, ColumnX(column, charWidth), LineY(line, lineHeight), text.data(),
             static_cast<int>(text.size()));
}

void Printer::EndPage()
{
    ::EndPage(dc);
}

void Printer::EndDocument()
{
    ::EndDoc(dc);
    LetGo();
}

void Printer::LetGo()
{
    if (dc)
        DeleteDC(dc);
    dc = nullptr;
}

void Printer::RecordMetrics()
{
    pageWidth = GetDeviceCaps(dc, HORZRES);
    pageHeight = GetDeviceCaps(dc, VERTRES);
    TEXTMETRICW metrics = {};
    if (GetTextMetricsW(dc, &metrics)) {
        charWidth = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
}
