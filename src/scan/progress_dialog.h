#pragma once
#include "toolkit/button.h"
#include "toolkit/dialog.h"

// The modeless progress dialog (dialog 104): the progress text in black on
// magenta and an Abort button, open while a check runs. Abort only sets the
// check's aborted flag; the check notices it after the file it is reading and
// closes the dialog itself.
class ProgressDialog : public Dialog {
public:
    INT_PTR HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

    // Opens the dialog over parent with the given text (owned by the caller,
    // valid until Close); keeps the handle.
    HWND Open(HWND parent, const wchar_t* text);
    // Destroys the dialog and forgets its handle once that succeeded.
    void Close();

    const wchar_t* progressText = L"";

private:
    void Paint();

    const wchar_t* shownText = L"";
    Button abortButton{true};
};
