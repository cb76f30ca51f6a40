#pragma once
// A file held open by another process, without sharing anything: every
// attempt of the program to open it fails until the holder lets go.
#include <windows.h>

#include <string>

class HeldByAnotherProcess {
public:
    explicit HeldByAnotherProcess(const std::wstring& path);
    ~HeldByAnotherProcess() { Release(); }
    HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
    HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;

    bool Holding() const { return holder != nullptr; }
    // The holder ends, and with it its handle.
    void Release();

private:
    HANDLE holder = nullptr;
};
