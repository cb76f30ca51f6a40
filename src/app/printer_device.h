#pragma once
#include <string>

// The default printer as the system profile names it (section "windows",
// value "device"): "device,driver,port", for example "PDF,wineps.drv,CUPS:PDF".
struct PrinterDevice {
    std::wstring device;
    std::wstring driver;
    std::wstring port;
};

// The device is the text up to the first comma; the driver and the port are
// the next two tokens, each ended by a comma or a space, with runs of
// separators before a token skipped. True when all three are present.
bool SplitPrinterDevice(const std::wstring& profileValue, PrinterDevice& out);
