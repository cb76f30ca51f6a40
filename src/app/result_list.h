#pragma once
#include "toolkit/list_box.h"

#include <shellapi.h>


// The list in the middle of the main window. It shows every line the program
// reports and is where the commands that fill it start: Scan, Compare, Load,
// Save, Print and the checks of dropped items. Each hands over to the program's commands (app/program_commands.h).
class ResultList : public ListBox {
public:
    int ScanCommand();
    int CompareCommand();

    // A drop that arrives while a check runs is released unchecked.
    void CheckDroppedItems(HDROP drop);

    int Save();
    int Load();
    int Print();
};

extern ResultList resultList;
