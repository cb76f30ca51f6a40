#include "toolkit/find_char.h"

const wchar_t* FindChar(const wchar_t* text, wchar_t ch)
{
    if (!text || ch == 0)
        return nullptr;
    for (; *text; ++text) {
        if (*text == ch)
            return text;
    }
    return nullptr;
}

wchar_t MnemonicOf(const wchar_t* text)
{
    const wchar_t* amp = FindChar(text, L'&');
    return amp ? amp[1] : 0;
}
