// The long-lived objects, defined in one translation unit so that they are
// constructed in this order and destroyed in the reverse one: the printer's
// device context goes first, then the button array, the CRC storage and
// finally the about box's font.
#include "app/globals.h"

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
