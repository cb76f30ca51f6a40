#pragma once
#include <windows.h>

// A font made for a device context, with its measures and text colour.
struct FontSpec {
    FontSpec() = default;
    FontSpec(const FontSpec&) = delete;
    FontSpec& operator=(const FontSpec&) = delete;

    int avgCharWidth = 0;
    int lineHeight = 0;
    HFONT font = nullptr;
    COLORREF colour = 0;
    LOGFONTW logFont{};

    // Makes the font from logFont at the given point size for dc's resolution;
    // a non-empty faceName replaces the face. The font made before is deleted.
    // The measures are read from the font that dc has selected now.
    void CreateFontFor(HDC dc, const wchar_t* faceName, int points);
    // Selects the font and the text colour into dc.
    void Apply(HDC dc) const;
    // Deletes the font, if one was made.
    void Release();
};
