// Resource and command identifiers, the program's name and version: shared
// by the code and ferrow.rc.
#pragma once

#define IDR_ACCELERATORS   101
#define IDI_FERROW         102
#define IDD_DRIVE          103
#define IDD_PROGRESS       104
#define IDC_DRIVE_COMBO    1002
#define IDC_HAND_CURSOR    1003

#define IDM_SCAN           40001
#define IDM_LOAD           40002
#define IDM_COMPARE        40003
#define IDM_SAVE           40004
#define IDM_PRINT          40005
#define IDM_ABOUT          40006
#define IDM_EXIT           40007

#define FERROW_NAME_TEXT "Ferrow"
// FERROW_VERSION_TEXT and FERROW_VERSION_BINARY, generated from the project version.
#include "ferrow_version.h"
