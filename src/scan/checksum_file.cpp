#include "scan/result_list.h"

#include "app/main_window.h"
#include "engine/crc32.h"
#include "engine/mapped_file.h"
#include "engine/message_pump.h"
#include "scan/scan_texts.h"
#include "scan/walk_status.h"

int ResultList::ChecksumFile(const wchar_t* path, uint32_t* crc)
{
    // Named before the file is opened: the status follows the walk file by file.
    ShowWalkPath(path);
    if (mappedFile.ChecksumWholeFile(path)) {
        *crc = runningCrc;
        // Once per file, never inside one: Abort and the rest of the
        // interface are seen here.
        if (PumpPendingMessages() == 1)
            state.quitSeen = 1;
        return 1;
    }
    if (mappedFile.failed) {
        mainWindow.ReportError(kErrorCantOpen, path);
        return 0;
    }
    *crc = 0;   // an empty file
    return 1;
}
