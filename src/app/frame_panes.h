#pragma once
// The two bars of the main window: the buttons above the list and the
// status line below it.
#include "toolkit/btn_bar.h"
#include "toolkit/status_bar.h"

extern BtnBar btnBar;
extern StatusBar statusBar;
