#include "app/frame_panes.h"

#include "resource.h"

ResultButtons ShownResultButtons()
{
    ResultButtons shown;
    shown.compare = btnBar.IsButtonEnabled(IDM_COMPARE);
    shown.save = btnBar.IsButtonEnabled(IDM_SAVE);
    shown.print = btnBar.IsButtonEnabled(IDM_PRINT);
    return shown;
}

void ShowResultButtons(const ResultButtons& buttons)
{
    btnBar.EnableButton(IDM_COMPARE, buttons.compare);
    btnBar.EnableButton(IDM_SAVE, buttons.save);
    btnBar.EnableButton(IDM_PRINT, buttons.print);
}
