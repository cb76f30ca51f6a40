#include "toolkit/clipboard_text.h"

bool PutClipboardText(HWND owner, HGLOBAL text)
{
    if (!text)
        return false;
    if (!OpenClipboard(owner)) {
        GlobalFree(text);
        return false;
    }
    const bool taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, text) != nullptr;
    CloseClipboard();
    if (!taken)
        GlobalFree(text);
    return taken;
}
