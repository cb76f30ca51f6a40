#pragma once
// An ordinary top-level window that owns the boxes under test, and small
// helpers to look at a box from the answering thread.
#include <windows.h>

#include <functional>
#include <string>

class BoxOwner {
public:
    BoxOwner();
    ~BoxOwner();
    BoxOwner(const BoxOwner&) = delete;
    BoxOwner& operator=(const BoxOwner&) = delete;

    HWND Handle() const { return hwnd; }

private:
    HWND hwnd = nullptr;
};

// Text of a window without sending it a message.
std::wstring WindowText(HWND hwnd);
// Polls until the condition holds; false after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Height plus external leading of the display's default font: the box's line height.
int DisplayLineHeight();
// Widest character of the display's default font.
int DisplayMaxCharWidth();
// Width of a text in the display's default font.
int DisplayTextWidth(const wchar_t* text);
// Where the client area's top-left corner is on the screen.
POINT ClientOrigin(HWND hwnd);
// A child window's rectangle in its parent's client coordinates.
RECT ChildRectInParent(HWND child);
