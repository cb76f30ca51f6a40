#include "scan_fixture.h"
#include "support/app_fixture.h"
#include "support/box_answerer.h"
#include <gtest/gtest.h>
#include <cstdio>
using namespace scan_test;
TEST(ZzTiming, Scan)
{
    TestFolder folder; CdDrive drive(L'R', folder);
    RunningApp app;
    DWORD t0 = GetTickCount();
    { BoxAnswerer a(BoxQuery::ForDialog(L"Scan new disk"), L"&Start scan"); printf("made %lu\n", GetTickCount()-t0);
      app_fixture::PostCommand(40001); printf("posted %lu\n", GetTickCount()-t0); a.Finish(); printf("finished %lu\n", GetTickCount()-t0);}
    printf("scan %lu\n", GetTickCount()-t0);
}
