#include "app/printer.h"

#include "app/print_layout.h"
#include "app/printer_device.h"
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

Printer::Printer()
{
    wchar_t profile[1024] = {};
    GetProfileStringW(L"windows", L"device", L",,,", profile, 1024);
    PrinterDevice device;
    if (!SplitPrinterDevice(profile, device))
        return;
    dc = CreateDCW(device.driver.c_str(), device.device.c_str(), device.port.c_str(), nullptr);
    if (dc)
        RecordMetrics();
}

Printer::~Printer()
{
    if (dc)
        DeleteDC(dc);
}

bool Printer::BeginDocument(const wchar_t* documentName, DWORD dialogFlags)
{
    firstLine = 0;
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = dialogFlags | PD_RETURNDC;
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

    if (dc)
        DeleteDC(dc);
    dc = pd.hDC;
    RecordMetrics();

    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documentName;
    return StartDocW(dc, &doc) > 0;
}

bool Printer::StartPageAt()
{
    currentLine = firstLine;
    return ::StartPage(dc) > 0;
}

void Printer::PrintAt(int column, const wchar_t* text, int length)
{
    TextOutW(dc, ColumnX(column, charWidth), LineY(currentLine, lineHeight), text, length);
}

int Printer::EndPage()
{
    return ::EndPage(dc);
}

int Printer::EndDocument()
{
    return ::EndDoc(dc);
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
