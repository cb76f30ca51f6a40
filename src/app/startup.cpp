#include "app/startup.h"

#include "app/command_line.h"
#include "app/commands.h"
#include "app/frame_panes.h"
#include "app/main_window.h"
#include "app/path_kind.h"
#include "app/usage_text.h"
#include "engine/openable_path.h"
#include "resource.h"
#include "app/program.h"
#include "app/result_list.h"

#include <string>

namespace {

// The list's default style, and tab stops for the result lines' two columns.
constexpr DWORD kResultListStyle = ListBox::kDefaultStyle | LBS_USETABSTOPS | WS_HSCROLL;
constexpr int kStatusPartWidth = 80;            // average characters
constexpr int kTabStop = 50;                    // dialog units

void AddUsageText()
{
    for (const wchar_t* line : kUsageLines)
        resultList.AddLine(line);
}

// "ferrow.exe ." must name the current folder, so a relative path is made
// full against the current folder before it is checked.
std::wstring FullPathOf(const wchar_t* path)
{
    std::wstring full;
    if (!IsRelativePath(path) || !FullPathName(path, full))
        return path;
    return full;
}

// The command-line item gets its result line in place of the usage text.
void CheckCommandLineItem(const wchar_t* path)
{
    programCommands.DiskChecks().CheckCommandLineItem(FullPathOf(path));
}

}  // namespace

int StartFerrow(HINSTANCE instance, wchar_t* commandLine, int showCommand)
{
    SetModuleInstance(instance);
    statusBar.AllocateParts(1);
    statusBar.AddPart(kStatusPartWidth, 0);
    SetHandCursor(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_CURSOR)));
    resultList.SetStyle(kResultListStyle);
    if (!mainWindow.CreateFrame(resultList, btnBar, statusBar))
        return 0;

    int tabStop = kTabStop;
    SendMessageW(resultList.Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));

    // Only the last button is checked: a missing earlier one just leaves its
    // place to the next.
    btnBar.AllocateButtons(kCommandButtonCount);
    bool added = false;
    for (const CommandButton& b : kCommandButtons)
        added = btnBar.AddButton(b.text, b.width, b.commandId, b.initiallyDisabled, b.hoverText);
    if (!added)
        return -1;

    mainWindow.Show(showCommand);

    wchar_t* slots[3];
    if (SplitCommandLine(commandLine, slots, 3) <= 0)
        AddUsageText();
    else
        CheckCommandLineItem(slots[0]);

    mainWindow.LoadAccelerators(IDR_ACCELERATORS);
    return 1;
}
