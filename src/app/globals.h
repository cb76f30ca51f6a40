#pragma once
// The program's long-lived objects, constructed before wWinMain in this order
// and cleaned up in reverse (see globals.cpp).
#include "app/main_window.h"
#include "app/printer.h"
#include "engine/crc_list.h"
#include "scan/drive_dialog.h"
#include "scan/progress_dialog.h"
#include "scan/result_list.h"
#include "toolkit/btn_bar.h"
#include "toolkit/msg_box.h"
#include "toolkit/status_bar.h"

extern MsgBox msgBox;
extern AboutBox aboutBox;
extern ResultList resultList;
extern DriveDialog driveDialog;
extern ProgressDialog progressDialog;
extern CrcList crcList;
extern BtnBar btnBar;
extern Printer printer;
extern StatusBar statusBar;
extern MainWindow mainWindow;
