#pragma once
#include "engine/redirection_pause.h"

// The system's switch: Wow64DisableWow64FsRedirection and
// Wow64RevertWow64FsRedirection, looked up in KERNEL32 on first use (not
// imported, so that the program still starts where they are missing). The
// 64-bit build is never redirected and does not look them up.
RedirectionSwitch& Wow64Redirection();

// The program's own file calls under it reach the files they name:
//     { Wow64RedirectionOff direct; handle = CreateFileW(...); }
class Wow64RedirectionOff : public RedirectionPause {
public:
    Wow64RedirectionOff() : RedirectionPause(Wow64Redirection()) {}
};
