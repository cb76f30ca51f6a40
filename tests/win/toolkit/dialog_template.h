#pragma once
// An in-memory dialog template, so that dialog tests need no resources.
#include <windows.h>

#include <vector>

namespace toolkit_test {

class DialogTemplate {
public:
    // Item classes by their predefined atoms.
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kStatic = 0x0082;
    static constexpr WORD kListBox = 0x0083;
    static constexpr WORD kComboBox = 0x0085;

    // A visible pop-up dialog with a caption, in dialog units, 8-point font.
    DialogTemplate(const wchar_t* caption, short width, short height);

    DialogTemplate& Add(WORD classAtom, int id, const wchar_t* text, DWORD style, short x,
                        short y, short width, short height);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void PutDword(DWORD value);
    void PutText(const wchar_t* text);
    void AlignToDword();

    std::vector<WORD> words;
};

} // namespace toolkit_test
