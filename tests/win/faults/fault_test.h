#pragma once
// Base of the fault tests. These tests provoke what would crash a careless
// program; if the program does crash, the test process must end at once
// with a line saying why, not wait for a debugger nobody will attend (Wine
// starts one for an unhandled exception, and the test would hang until its
// time runs out).
#include <gtest/gtest.h>

#include <cstddef>

// From now on an unhandled exception prints its code and address and ends
// the process with exit code 3.
void EndProcessOnCrash();

class FaultTest : public testing::Test {
protected:
    void SetUp() override { EndProcessOnCrash(); }
};

// The system file dialogs make the folder they were last in the current
// folder, and a current folder cannot be removed: this makes the temporary
// folder current instead.
void LeaveTestFolders();

// Declared after a test's folders: leaves them before they are removed.
struct CurrentFolderReset {
    ~CurrentFolderReset() { LeaveTestFolders(); }
};

// Committed private memory of the process, counted region by region (the
// system's own counter reads 0 under Wine).
size_t PrivateBytes();
