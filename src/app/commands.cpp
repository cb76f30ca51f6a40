#include "app/commands.h"

#include "resource.h"

const CommandButton kCommandButtons[kCommandButtonCount] = {
    {L"&Scan", 60, IDM_SCAN, false, L"Scan new CD"},
    {L"&Compare", 70, IDM_COMPARE, true, L"Compare a previously scanned disk"},
    {L"&Load", 60, IDM_LOAD, false, L"Load previously saved data"},
    {L"Sa&ve", 60, IDM_SAVE, true, L"Save CRC data"},
    {L"&Print", 60, IDM_PRINT, true, L"Print CRC data"},
    {L"&About", 60, IDM_ABOUT, false, L"Information about this program"},
    {L"E&xit", 60, IDM_EXIT, false, L"Exit the program"},
};
