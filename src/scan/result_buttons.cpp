#include "scan/result_buttons.h"

ResultButtons AtScanStart(ResultButtons shown)
{
    shown.save = false;
    shown.print = false;
    return shown;
}

ResultButtons AfterScanWalk(ResultButtons shown, bool complete, int32_t fileCount)
{
    if (complete && fileCount != 0) {
        shown.compare = true;
        shown.save = true;
    }
    return shown;
}

ResultButtons AtLoadStart(ResultButtons shown)
{
    shown.compare = false;
    shown.print = false;
    return shown;
}

ResultButtons AfterLoad(ResultButtons shown)
{
    shown.compare = true;
    shown.save = false;
    return shown;
}

ResultButtons AfterDrop(ResultButtons shown)
{
    shown.print = true;
    return shown;
}

ResultButtons AfterSave(ResultButtons shown)
{
    shown.save = false;
    return shown;
}
