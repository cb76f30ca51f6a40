#pragma once
// A switch of the system's file-system redirection for the calling thread, and
// a pause of it for as long as an object lives. 64-bit Windows shows a 32-bit
// program the 32-bit system folder (SysWOW64) under the name of the 64-bit
// one (System32), and the same for a few other folders: a scan of C: would
// read the 32-bit twins under the 64-bit names. The pause lets the program's
// own file calls reach the files they name.
//
// Window-free, so that the pairing of the switch's calls can be tested
// natively; the system's switch is in engine/wow64_redirection.h.

class RedirectionSwitch {
public:
    virtual ~RedirectionSwitch() = default;
    // Turns the redirection off; false when there is none to turn off (a
    // 64-bit program, 32-bit Windows). `previous` receives what Restore needs.
    virtual bool TurnOff(void** previous) = 0;
    virtual void Restore(void* previous) = 0;
};

// The redirection off from construction to destruction, then as it was
// before, also when pauses nest. Only around calls that name files (opening,
// searching folders, reading attributes): a library loaded meanwhile would
// be looked for in the wrong system folder.
class RedirectionPause {
public:
    explicit RedirectionPause(RedirectionSwitch& redirection);
    ~RedirectionPause();
    RedirectionPause(const RedirectionPause&) = delete;
    RedirectionPause& operator=(const RedirectionPause&) = delete;

private:
    RedirectionSwitch& redirection;
    void* previous = nullptr;
    bool turnedOff = false;
};
