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
    // scanMode 1 serves Scan, 0 Compare; only the caption differs.
    INT_PTR Show(HWND owner, int scanMode);

    // The drive last confirmed or restored by Load; 'A' means none chosen yet.
    wchar_t SelectedDrive() const { return driveText[0]; }
    void SetSelectedDrive(wchar_t letter) { driveText[0] = letter; driveText[1] = 0; }

private:
    INT_PTR OnInitDialog() override;
    // The combo box reports the pointer over it.
    void OnNotify(int id, NMHDR* record) override;
    void OnCommand(int id, int code, HWND sender) override;

    int scanMode = 0;
    wchar_t driveText[4] = {L'A', 0, 0, 0};
    Button okButton{true};
    Button cancelButton{true};
    ComboBox driveCombo{true};
};

extern DriveDialog driveDialog;
