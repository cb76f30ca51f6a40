#pragma once
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/dialog.h"

// The first CD-ROM drive from C to Z, or 'C' when there is none. Drives A and
// B are never looked at.
wchar_t FindFirstCdDrive();

// The modal drive choice (dialog 103) of Scan and Compare: a list of the
// present drives with the last confirmed one, or the first CD-ROM drive,
// selected.
class DriveDialog : public Dialog {
public:
    // 1 confirmed, 0 cancelled, -1 the dialog could not be created.
    // scanMode 1 serves Scan, 0 Compare; only the caption differs. drive is
    // the drive last chosen ('A': none yet, and the first CD-ROM drive is
    // offered and kept); it receives the drive confirmed.
    INT_PTR Show(HWND owner, int scanMode, wchar_t& drive);

private:
    INT_PTR OnInitDialog() override;
    // The combo box reports the pointer over it.
    void OnNotify(int id, NMHDR* record) override;
    void OnCommand(int id, int code, HWND sender) override;

    int scanMode = 0;
    wchar_t driveText[4] = {L'A', 0, 0, 0};   // while the dialog is shown
    Button okButton{true};
    Button cancelButton{true};
    ComboBox driveCombo{true};
};

extern DriveDialog driveDialog;
