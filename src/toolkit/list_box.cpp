#include "toolkit/list_box.h"

bool ListBox::Create(HWND parent, int controlId, const wchar_t* text, int x, int y, int width,
                     int height)
{
    if (controlId == 0)
        NextControlId();
    else
        id = controlId;
    return CreateHandle(L"LISTBOX", parent, text, x, y, width, height);
}

bool ListBox::OnCommandNotify(int code, int)
{
    if (code != LBN_SELCHANGE)
        return false;
    // Kept even without a handler, for whoever reads the selection later.
    selection = static_cast<int>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
    return RunCallback();
}

int ListBox::AddLine(const wchar_t* text) const
{
    return static_cast<int>(SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ListBox::Clear() const
{
    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
}

int ListBox::Count() const
{
    return static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0));
}
