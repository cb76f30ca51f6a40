#include "toolkit/text_font.h"

#include <cwchar>

void FontSpec::CreateFontFor(HDC dc, const wchar_t* faceName, int points)
{
    if (faceName && *faceName) {
        wcsncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
    logFont.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    Release();
    font = CreateFontIndirectW(&logFont);

    TEXTMETRICW metrics;
    if (GetTextMetricsW(dc, &metrics)) {
        avgCharWidth = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
}

void FontSpec::Apply(HDC dc) const
{
    SetTextColor(dc, colour);
    if (font)
        SelectObject(dc, font);
}

void FontSpec::Release()
{
    if (font)
        DeleteObject(font);
    font = nullptr;
}
