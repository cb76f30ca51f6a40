#include "engine/wow64_redirection.h"

#include <windows.h>

namespace {

class SystemRedirection : public RedirectionSwitch {
public:
    SystemRedirection()
    {
#if !defined(_WIN64)
        if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
            disable = reinterpret_cast<DisableFn>(reinterpret_cast<void (*)()>(
                GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
            revert = reinterpret_cast<RevertFn>(reinterpret_cast<void (*)()>(
                GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
        }
#endif
    }

    bool TurnOff(void** previous) override
    {
        // 32-bit Windows has the functions too; there they fail, and
        // nothing is to be restored.
        return disable && revert && disable(previous);
    }

    void Restore(void* previous) override
    {
        if (revert)
            revert(previous);
    }

private:
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    using RevertFn = BOOL(WINAPI*)(PVOID);
    DisableFn disable = nullptr;
    RevertFn revert = nullptr;
};

}  // namespace

RedirectionSwitch& Wow64Redirection()
{
    static SystemRedirection redirection;
    return redirection;
}
