// The long-lived objects, defined in one translation unit so that they are
// constructed in this order and destroyed in the reverse one: the printer's
// device context goes first, then the button array, the CRC storage and
// finally the about box's font. Each is declared where it is used from:
// app/boxes.h, app/frame_panes.h, app/main_window.h, app/printer.h,
// app/program.h, app/result_list.h, scan/drive_dialog.h and
// scan/progress_dialog.h.
#include "app/boxes.h"
#include "app/frame_panes.h"
#include "app/main_window.h"
#include "app/printer.h"
#include "app/program.h"
#include "app/result_list.h"
#include "datafile/system_crc_file_store.h"
#include "scan/drive_dialog.h"
#include "scan/progress_dialog.h"
#include "scan/system_disk.h"

MsgBox msgBox;
AboutBox aboutBox;
ResultList resultList;
DriveDialog driveDialog;
ProgressDialog progressDialog;
ProgramState programState;
BtnBar btnBar;
Printer printer;
StatusBar statusBar;
MainWindow mainWindow;

namespace {
SystemDisk systemDisk;
SystemCrcFileStore crcFileStore;
}  // namespace

// The commands hold references only: the objects above are theirs to use
// once the program runs.
ProgramCommands programCommands(programState, mainWindow, systemDisk, crcFileStore);
