#include "dialog_template.h"

namespace toolkit_test {

namespace {

// Offset of DLGTEMPLATE::cdit in words: style and extended style come first.
constexpr size_t kItemCountWord = 4;

} // namespace

DialogTemplate::DialogTemplate(const wchar_t* caption, short width, short height)
{
    PutDword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT);
    PutDword(0);
    words.push_back(0); // item count, raised by Add
    words.push_back(30);
    words.push_back(30);
    words.push_back(static_cast<WORD>(width));
    words.push_back(static_cast<WORD>(height));
    words.push_back(0); // no menu
    words.push_back(0); // the dialog class
    PutText(caption);
    words.push_back(8);
    PutText(L"MS Shell Dlg");
}

DialogTemplate& DialogTemplate::Add(WORD classAtom, int id, const wchar_t* text, DWORD style,
                                    short x, short y, short width, short height)
{
    AlignToDword();
    PutDword(style | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    words.push_back(static_cast<WORD>(x));
    words.push_back(static_cast<WORD>(y));
    words.push_back(static_cast<WORD>(width));
    words.push_back(static_cast<WORD>(height));
    words.push_back(static_cast<WORD>(id));
    words.push_back(0xFFFF);
    words.push_back(classAtom);
    PutText(text);
    words.push_back(0); // no creation data
    ++words[kItemCountWord];
    return *this;
}

void DialogTemplate::PutDword(DWORD value)
{
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void DialogTemplate::PutText(const wchar_t* text)
{
    for (; *text; ++text)
        words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
}

void DialogTemplate::AlignToDword()
{
    if (words.size() % 2)
        words.push_back(0);
}

} // namespace toolkit_test
