#include "scan/result_list.h"

#include "app/main_window.h"
#include "engine/mapped_file.h"
#include "engine/message_pump.h"
#include "engine/paced_message_pump.h"
#include "scan/scan_texts.h"
#include "scan/walk_status.h"

int ResultList::ChecksumFile(const wchar_t* path, uint32_t* crc)
{
    // Named before the file is opened: the status follows the walk file by file.
    ShowWalkPath(path);
    // Inside a large file too, Abort and the rest of the interface are seen
    // between chunks; an Abort or a quit request there ends the reading, and
    // the walk ends without the file.
    PacedMessagePump events(state.quitSeen, state.aborted);
    const FileChecksum file = mappedFile.Checksum(path, events);
    switch (file.status) {
    case FileRead::Unreadable:
        mainWindow.ReportError(kErrorCantOpen, path);
        return 0;
    case FileRead::Stopped:
        return 1;
    case FileRead::Empty:
        *crc = 0;
        return 1;
    case FileRead::Read:
        break;
    }
    *crc = file.crc;
    // And once after every file that had bytes to read.
    if (PumpPendingMessages() == 1)
        state.quitSeen = 1;
    return 1;
}
