#pragma once
// What printing needs of a printer: the print dialog's choice, the chosen
// printer's page and font, and the document's pages and text. The program
// prints on the system's printers (app/printer.h); the tests on one that
// writes down what reaches it.
#include <cstdint>
#include <string_view>

class PrintDevice {
public:
    // Runs the print dialog and starts the document on the printer chosen;
    // false when the dialog was cancelled or the document could not start.
    virtual bool BeginDocument(const wchar_t* documentName) = 0;
    // What the dialog chose, and the chosen printer's page height and line
    // height in device pixels.
    virtual uint16_t Copies() const = 0;
    virtual bool IsTractorFeed() const = 0;
    virtual int PageHeight() const = 0;
    virtual int LineHeight() const = 0;

    // False when the page could not be started.
    virtual bool StartPage() = 0;
    // Text at the line number, column average character widths from the left.
    virtual void PrintAt(int line, int column, std::wstring_view text) = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;

protected:
    ~PrintDevice() = default;
};
