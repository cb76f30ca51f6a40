#include "app/command_line.h"

int SplitCommandLine(wchar_t* text, wchar_t** slots, int slotCount)
{
    int count = 0;
    wchar_t* p = text;
    for (int slot = 0; slot < slotCount; ++slot) {
        while (*p == L' ')
            ++p;
        const bool quoted = *p == L'"';
        if (quoted)
            ++p;
        slots[slot] = p;
        const wchar_t end = quoted ? L'"' : L' ';
        while (*p && *p != end)
            ++p;
        if (p != slots[slot])
            ++count;
        if (*p)
            *p++ = L'\0';
    }
    return count;
}
