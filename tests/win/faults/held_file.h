#pragma once
// A file held open by another process, as the shell's thumbnailer, a virus
// scanner or another program holds it: by default without sharing anything,
// so that every attempt of the program to open it fails until the holder lets
// go; or with the access and sharing given.
#include <windows.h>

#include <string>

class HeldByAnotherProcess {
public:
    explicit HeldByAnotherProcess(const std::wstring& path, DWORD access = GENERIC_READ,
                                  DWORD sharing = 0);
    ~HeldByAnotherProcess() { Release(); }
    HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
    HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;

    bool Holding() const { return holder != nullptr; }
    // The holder ends, and with it its handle.
    void Release();

private:
    HANDLE holder = nullptr;
};
