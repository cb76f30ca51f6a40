#pragma once
#include <windows.h>
#include <commdlg.h>

// A printer device context that tracks lines and pages in units of the
// printer font's line height and average character width. Text goes out in
// the printer's default font.
class Printer {
public:
    Printer();   // opens a context on the system's default printer, if any
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Runs the print dialog (starting from the default printer every time),
    // takes the context of the printer chosen there and starts the document.
    // False when the dialog was cancelled or failed (the previous context
    // stays) or the document could not be started.
    bool BeginDocument(const wchar_t* documentName, DWORD dialogFlags);
    // Starts a page whose first output line is firstLine; false on SP_ERROR.
    bool StartPageAt();
    // Draws text at the current line, column average character widths from the left.
    void PrintAt(int column, const wchar_t* text, int length);
    // The paper source chosen in the last print dialog was the tractor feed.
    bool IsTractorFeed() const { return tractorFeed; }
    int EndPage();
    int EndDocument();

    int charWidth = 0;
    int lineHeight = 0;
    int currentLine = 0;
    int pageHeight = 0;
    int pageWidth = 0;
    int firstLine = 0;
    WORD copies = 0;  // from the last print dialog

private:
    void RecordMetrics();

    HDC dc = nullptr;
    bool tractorFeed = false;
};

extern Printer printer;
