// The long-lived objects, defined in one translation unit so that they are
// constructed in this order and destroyed in the reverse one: the printer's
// device context goes first, then the button array, the CRC storage and
// finally the about box's font. Each is declared where it is used from:
// app/boxes.h, app/frame_panes.h, app/main_window.h, app/printer.h,
// scan/result_list.h, scan/drive_dialog.h and scan/progress_dialog.h.
#include "app/boxes.h"
#include "app/frame_panes.h"
#include "app/main_window.h"
#include "app/printer.h"
#include "scan/drive_dialog.h"
#include "scan/progress_dialog.h"
#include "scan/result_list.h"

MsgBox msgBox;
AboutBox aboutBox;
ResultList resultList;
DriveDialog driveDialog;
ProgressDialog progressDialog;
CrcList crcList;
BtnBar btnBar;
Printer printer;
StatusBar statusBar;
MainWindow mainWindow;
