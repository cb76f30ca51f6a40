#include "app/boxes.h"

int AskUser(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style)
{
    return msgBox.Ask(owner, text, caption, style, 0, kBoxColours.text, kBoxColours.back,
                      kBoxColours.shadow);
}
