#pragma once
#include "app/print_device.h"

#include <windows.h>
#include <commdlg.h>

// A printer device context that tracks lines and pages in units of the
// printer font's line height and average character width. Text goes out in
// the printer's default font. The context exists only while a document is
// printed: made by the print dialog when printing starts, deleted when the
// document ends, so that no printer (an offline network printer, a bad
// driver) is ever asked anything before the user prints.
class Printer : public PrintDevice {
public:
    Printer() = default;
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Runs the print dialog (starting from the default printer every time,
    // without a selection to print), takes the context of the printer chosen
    // there and starts the document. False when the dialog was cancelled or
    // failed, or the document could not be started (no context is kept then).
    bool BeginDocument(const wchar_t* documentName) override;
    // Starts a page; false on SP_ERROR.
    bool StartPage() override;
    void PrintAt(int line, int column, std::wstring_view text) override;
    void EndPage() override;
    // Ends the document and lets the printer's context go.
    void EndDocument() override;

    // What the last confirmed print dialog chose, and the chosen printer's
    // page and font, in device pixels.
    uint16_t Copies() const override { return copies; }
    bool IsTractorFeed() const override { return tractorFeed; }
    int PageHeight() const override { return pageHeight; }
    int LineHeight() const override { return lineHeight; }
    // A document is being printed: the printer's context is held.
    bool Printing() const { return dc != nullptr; }

private:
    void RecordMetrics();
    void LetGo();

    HDC dc = nullptr;
    int charWidth = 0;
    int lineHeight = 0;
    int pageHeight = 0;
    int pageWidth = 0;
    WORD copies = 0;
    bool tractorFeed = false;
};

extern Printer printer;
