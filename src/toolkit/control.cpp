#include "toolkit/control.h"

#include "toolkit/window.h"

#include <unordered_set>

namespace {

int nextControlId = 900;
HCURSOR handCursor = nullptr;

// The objects alive right now. Kept on the heap and never freed, so controls
// that are static objects in any translation unit can leave it at exit in any order.
std::unordered_set<const Control*>& LiveControls()
{
    static auto* live = new std::unordered_set<const Control*>;
    return *live;
}

} // namespace

HCURSOR HandCursor()
{
    // Until start-up loads the program's own hand, the system's one stands in.
    return handCursor ? handCursor : LoadCursorW(nullptr, IDC_HAND);
}

void SetHandCursor(HCURSOR cursor)
{
    handCursor = cursor;
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc)
{
    if (!proc || !IsWindow(hwnd))
        return nullptr;
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

Control* ControlFromWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto* bound = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!bound || !LiveControls().count(bound))
        return nullptr;
    // An object reused for a newer window no longer answers for the old one.
    return bound->Handle() == hwnd ? bound : nullptr;
}

bool OfferToSender(HWND sender, int code, int id)
{
    Control* control = ControlFromWindow(sender);
    return control && control->OnCommandNotify(code, id);
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    try {
        if (Control* object = ControlFromWindow(hwnd))
            return object->SubclassProc(msg, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher.
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

Control::Control()
{
    LiveControls().insert(this);
}

Control::~Control()
{
    LiveControls().erase(this);
}

bool Control::Create(HWND, int, const wchar_t*, int, int, int, int)
{
    return MissingCreate() != 0;
}

bool Control::OnCommandNotify(int, int)
{
    return false;
}

void Control::SetCallback(void* target, ControlHandler handler)
{
    callbackTarget = target;
    callbackHandler = handler;
}

LRESULT Control::SubclassProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

int Control::NextControlId()
{
    id = nextControlId++;
    return id;
}

bool Control::CreateHandle(const wchar_t* className, HWND parent, const wchar_t* text,
                           int x, int y, int width, int height)
{
    hwnd = parent ? GetDlgItem(parent, id) : nullptr;
    if (!hwnd) {
        hwnd = CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(),
                               nullptr);
    }
    if (!hwnd)
        return false;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool Control::RunCallback()
{
    if (!callbackHandler)
        return false;
    callbackHandler(callbackTarget, id);
    return true;
}
