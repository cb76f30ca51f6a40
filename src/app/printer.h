#pragma once
#include <windows.h>
#include <commdlg.h>

// A printer device context that tracks lines and pages in units of the
// printer font's line height and average character width.
class Printer {
public:
    Printer();   // opens a context on the system's default printer, if any
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Runs the print dialog and starts the document; false when cancelled or failed.
    bool BeginDocument(const wchar_t* documentName, DWORD dialogFlags);
    bool StartPageAt();
    void PrintAt(int column, const wchar_t* text, int length);
    bool IsTractorFeed() const;
    int EndPage();
    int EndDocument();

    int charWidth = 0;
    int lineHeight = 0;
    int currentLine = 0;
    int pageHeight = 0;
    int pageWidth = 0;
    int firstLine = 0;
    WORD copies = 0;

private:
    HDC dc = nullptr;
    bool tractorFeed = false;
};
