#include "engine/view_fault_guard.h"

#include <windows.h>

// The one guard in force; the program reads one view at a time.
static ViewFaultGuard* activeGuard = nullptr;

struct ViewFaultHandling {
    static LONG CALLBACK Handle(EXCEPTION_POINTERS* exception)
    {
        ViewFaultGuard* guard = activeGuard;
        const EXCEPTION_RECORD* record = exception->ExceptionRecord;
        if (!guard || guard->replaced || GetCurrentThreadId() != guard->threadId)
            return EXCEPTION_CONTINUE_SEARCH;
        if (record->ExceptionCode != EXCEPTION_IN_PAGE_ERROR &&
            record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
            return EXCEPTION_CONTINUE_SEARCH;
        // [0] is 0 for a read, [1] the address that could not be read.
        if (record->NumberParameters < 2 || record->ExceptionInformation[0] != 0)
            return EXCEPTION_CONTINUE_SEARCH;
        const char* address = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        if (address < guard->base || address >= guard->base + guard->size)
            return EXCEPTION_CONTINUE_SEARCH;

        // Zero pages where the view was: the faulting read is retried and
        // succeeds, and so does every later read of the view.
        void* base = const_cast<char*>(guard->base);
        if (!UnmapViewOfFile(base))
            return EXCEPTION_CONTINUE_SEARCH;
        if (VirtualAlloc(base, guard->size, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY) != base)
            return EXCEPTION_CONTINUE_SEARCH;   // the address was taken meanwhile: nothing to save
        guard->replaced = true;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
};

ViewFaultGuard::ViewFaultGuard(const void* view, size_t size)
    : base(static_cast<const char*>(view)), size(size), threadId(GetCurrentThreadId())
{
    // Installed with the first guard and left in place: a file's check is
    // not the place to add and remove a handler every time. Without a guard
    // in force it passes every exception on.
    static void* const handler = AddVectoredExceptionHandler(1, ViewFaultHandling::Handle);
    (void)handler;
    activeGuard = this;
}

ViewFaultGuard::~ViewFaultGuard()
{
    activeGuard = nullptr;
    if (replaced)
        VirtualFree(const_cast<char*>(base), 0, MEM_RELEASE);
}
