#pragma once

// Position of the first occurrence of ch in text, or nullptr; the terminator
// never matches, and a null text has no characters.
const wchar_t* FindChar(const wchar_t* text, wchar_t ch);

// The character after the first '&' of a control text, or 0 when there is
// none (no '&', or '&' as the last character). "&&" gives '&'.
wchar_t MnemonicOf(const wchar_t* text);
