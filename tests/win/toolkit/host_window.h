#pragma once
// A plain parent window for toolkit tests, made with the bare Win32 API so
// that it observes the toolkit from outside: it records the messages that
// child controls send to their parent.
#include <windows.h>

#include <functional>
#include <vector>

namespace toolkit_test {

struct SeenMessage {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
};

class HostWindow {
public:
    HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    HWND Handle() const { return hwnd; }
    // Recorded WM_COMMAND, WM_NOTIFY (lparam is only the raw value) and
    // WM_APP_HOVER messages of one kind, in arrival order.
    std::vector<SeenMessage> Seen(UINT msg) const;
    void Forget() { seen.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

    HWND hwnd = nullptr;
    std::vector<SeenMessage> seen;
};

// Dispatches the thread's messages until condition() holds or timeoutMs passed.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 2000);
// Dispatches whatever is queued now.
void PumpPending();

} // namespace toolkit_test
