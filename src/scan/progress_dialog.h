#pragma once
#include "toolkit/button.h"
#include "toolkit/dialog.h"

// The modeless progress dialog (dialog 104): the progress text in black on
// magenta and an Abort button, open while a check runs. Abort only sets the
// check's aborted flag; the check notices it after the file it is reading and
// closes the dialog itself.
class ProgressDialog : public Dialog {
public:
    // Opens the dialog over parent with the given text (owned by the caller,
    // valid until Close); Abort sets *aborted to 1.
    HWND Open(HWND parent, const wchar_t* text, int* aborted);
    // Destroys the dialog, if it is open.
    void Close();

    const wchar_t* progressText = L"";

private:
    INT_PTR OnInitDialog() override;
    void OnPaint() override;
    // Abort (or Escape): the running check stops after its current file.
    void OnCommand(int id, int code, HWND sender) override;

    const wchar_t* shownText = L"";
    int* abortFlag = nullptr;
    Button abortButton{true};
};

extern ProgressDialog progressDialog;
