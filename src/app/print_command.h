#pragma once
// Print, window-free: every line of the result list, in list order, in two
// columns (the text before the first tab at the left margin, the rest twelve
// average character widths further right), as one job, in as many copies as
// the print dialog asked for.
#include "app/print_device.h"
#include "scan/command_window.h"

// 1 when the job went to the printer; 0 when Print is not offered, the
// dialog was cancelled, or not one line fits on the page (said in a box).
// A page that cannot be started ends its copy; the next copy starts afresh.
int PrintResultList(CommandWindow& window, PrintDevice& printer);
