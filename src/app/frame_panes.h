#pragma once
// The two bars of the main window: the buttons above the list and the
// status line below it.
#include "scan/result_buttons.h"
#include "toolkit/btn_bar.h"
#include "toolkit/status_bar.h"

extern BtnBar btnBar;
extern StatusBar statusBar;

// Compare, Save and Print as the bar shows them now.
ResultButtons ShownResultButtons();
// Enables and disables Compare, Save and Print as given.
void ShowResultButtons(const ResultButtons& buttons);
