#pragma once
#include <cstddef>

// Reading a mapped view can fault: a scratched disc, a medium taken out of
// its drive or a file cut short by another program while it is mapped make
// the system raise an in-page error (Wine: an access violation) at the first
// byte that cannot be read. Without a guard that ends the program.
//
// While a guard lives, a read fault inside its view is caught on this thread:
// the view's pages are replaced by zero pages at the same address, so the
// reading loop runs to its end harmlessly, and Faulted() tells the reader
// that what it computed is worthless. Faults elsewhere are left alone.
class ViewFaultGuard {
public:
    ViewFaultGuard(const void* view, size_t size);
    ~ViewFaultGuard();
    ViewFaultGuard(const ViewFaultGuard&) = delete;
    ViewFaultGuard& operator=(const ViewFaultGuard&) = delete;

    // True once a fault replaced the view: it is no longer a view of the file,
    // must not be unmapped, and its zero pages are freed with the guard.
    bool Faulted() const { return replaced; }

private:
    friend struct ViewFaultHandling;

    const char* base;
    size_t size;
    unsigned long threadId;
    volatile bool replaced = false;
};
