#include "app/result_list.h"

#include "app/main_window.h"
#include "app/printer.h"
#include "app/program.h"
#include "scan/scan_texts.h"
#include "toolkit/system_library.h"

#include <new>
#include <string>
#include <vector>

namespace {

// A drop's path at index, whatever its length.
std::wstring DroppedPath(HDROP drop, UINT index)
{
    const UINT length = system_library::DragQueryFile(drop, index, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT got = system_library::DragQueryFile(drop, index, &path[0], length + 1);
    path.resize(got <= length ? got : length);
    return path;
}

}  // namespace

int ResultList::ScanCommand()
{
    return programCommands.ScanCommand();
}

int ResultList::CompareCommand()
{
    return programCommands.CompareCommand();
}

int ResultList::Print()
{
    return programCommands.Print(printer);
}

void ResultList::CheckDroppedItems(HDROP drop)
{
    if (!programState.CheckRunning()) {
        SetForegroundWindow(mainWindow.Handle());
        try {
            std::vector<std::wstring> paths;
            const UINT count = system_library::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i)
                paths.push_back(DroppedPath(drop, i));
            programCommands.CheckDroppedItems(paths);
        } catch (const std::bad_alloc&) {
            mainWindow.ReportError(kErrorNoMemory, L"");
        }
    }
    system_library::DragFinish(drop);
}

int ResultList::Save()
{
    return programCommands.Save();
}

int ResultList::Load()
{
    return programCommands.Load();
}
