#pragma once
#include <windows.h>
#include <commdlg.h>

// Asks for the path of a file through the system's open or save dialog with
// one filter list and a default extension, then forces that extension onto
// whatever name the user chose. One object serves one command.
class FileNamePrompt {
public:
    // openMode nonzero: the open dialog; 0: the save dialog, which asks before
    // it replaces a file. filterList holds (description, pattern) pairs ended
    // by an empty text; defaultExt (".crc") may be null.
    FileNamePrompt(int openMode, const wchar_t* filterList, int filterIndex, const wchar_t* defaultExt);
    virtual ~FileNamePrompt() = default;
    FileNamePrompt(const FileNamePrompt&) = delete;
    FileNamePrompt& operator=(const FileNamePrompt&) = delete;

    // Receives the filled dialog record just before the dialog runs.
    virtual void Customize(OPENFILENAMEW&) {}

    // Shows the dialog owned by owner; buffer (bufferChars characters) holds
    // the initial name and receives the chosen path. Returns 1 with the path,
    // ending in the default extension, in buffer; 0 when the user cancelled;
    // -1 when the chosen name leaves no room for the extension. The buffer is
    // of no use unless 1 came back.
    int Run(HWND owner, wchar_t* buffer, DWORD bufferChars, const wchar_t* initialFolder);
    // After Run gave 1 in save mode: the dialog asked about the name as
    // typed, and the extension forced onto it names another file that
    // exists, which the caller must not replace unasked.
    bool ReplacesOtherFile() const { return replacesOtherFile; }

    // The flags handed to the dialog in each mode. Neither leaves the current
    // folder on the disc or stick a file came from, which would keep it in use.
    static constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    static constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                        OFN_NOREADONLYRETURN | OFN_NOCHANGEDIR;

    int openMode;
    DWORD dialogFlags;
    int filterIndex;
    const wchar_t* filterList;
    const wchar_t* defaultExt;
    const wchar_t* dialogTitle = L"";

private:
    bool replacesOtherFile = false;
};
