// The answering support itself, on a plain system dialog and on a sequence
// of two boxes.
#include "support/box_answerer.h"

#include "toolkit/msg_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Align(std::vector<WORD>& t)
{
    if (t.size() % 2)
        t.push_back(0);  // DLGITEMTEMPLATE starts on a DWORD boundary
}

void PutText(std::vector<WORD>& t, const wchar_t* text)
{
    for (; *text; ++text)
        t.push_back(static_cast<WORD>(*text));
    t.push_back(0);
}

void PutDword(std::vector<WORD>& t, DWORD value)
{
    t.push_back(LOWORD(value));
    t.push_back(HIWORD(value));
}

void PutItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id,
             WORD classAtom, const wchar_t* text)
{
    Align(t);
    PutDword(t, style | WS_CHILD | WS_VISIBLE);
    PutDword(t, 0);
    t.push_back(static_cast<WORD>(x));
    t.push_back(static_cast<WORD>(y));
    t.push_back(static_cast<WORD>(cx));
    t.push_back(static_cast<WORD>(cy));
    t.push_back(id);
    t.push_back(0xFFFF);
    t.push_back(classAtom);
    PutText(t, text);
    t.push_back(0);  // no creation data
}

// A small modal dialog: a caption, two lines of static text, OK and Cancel.
std::vector<WORD> QuestionDialog(const wchar_t* caption)
{
    std::vector<WORD> t;
    PutDword(t, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    PutDword(t, 0);
    t.push_back(4);  // items
    t.push_back(10);
    t.push_back(10);
    t.push_back(160);
    t.push_back(70);
    t.push_back(0);  // no menu
    t.push_back(0);  // default class
    PutText(t, caption);
    PutItem(t, SS_LEFT, 8, 8, 140, 10, 100, 0x0082, L"Insert the disk");
    PutItem(t, SS_LEFT, 8, 20, 140, 10, 101, 0x0082, L"and press OK");
    PutItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 45, 50, 14, IDOK, 0x0080, L"OK");
    PutItem(t, BS_PUSHBUTTON | WS_TABSTOP, 90, 45, 50, 14, IDCANCEL, 0x0080, L"&Cancel");
    return t;
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT msg, WPARAM wparam, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunQuestionDialog(const wchar_t* caption)
{
    std::vector<WORD> t = QuestionDialog(caption);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr,
                                   QuestionProc, 0);
}

} // namespace

TEST(BoxAnswerer, ReadsAndAnswersADialogByButtonTextWithoutMnemonic)
{
    BoxAnswerer answerer(BoxQuery::ForDialog(L"Drive check"), L"Cancel");
    EXPECT_EQ(RunQuestionDialog(L"Drive check"), IDCANCEL);
    ASSERT_TRUE(answerer.Finish());
    SeenBox seen = answerer.First();
    EXPECT_EQ(seen.className, L"#32770");
    EXPECT_EQ(seen.caption, L"Drive check");
    EXPECT_EQ(seen.lines, (std::vector<std::wstring>{L"Insert the disk", L"and press OK"}));
    EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"OK", L"&Cancel"}));
}

TEST(BoxAnswerer, IgnoresADialogWithAnotherCaption)
{
    EXPECT_EQ(FindBox(BoxQuery::ForDialog(L"Nothing like this")), nullptr);
    BoxAnswerer other(BoxQuery::ForDialog(L"Not this one"), L"OK", 500);
    BoxAnswerer right(BoxQuery::ForDialog(L"This one"), L"OK");
    EXPECT_EQ(RunQuestionDialog(L"This one"), IDOK);
    EXPECT_TRUE(right.Finish());
    EXPECT_FALSE(other.Finish());
    EXPECT_EQ(other.FoundCount(), 0);
}

TEST(BoxAnswerer, AnswersTwoBoxesInTurn)
{
    MsgBox box;
    BoxAnswerer answerer({{BoxQuery::ForBox(L"First"), BoxAnswerer::Click(L"&Yes")},
                          {BoxQuery::ForDialog(L"Second"), BoxAnswerer::Click(L"OK")},
                          {BoxQuery::ForBox(L"Third"), BoxAnswerer::Click(L"&No")}});
    EXPECT_EQ(box.Ask(nullptr, L"one", L"First", 0x24, 0, 0, 0xC0C0C0, 0x808080), 6);
    EXPECT_EQ(RunQuestionDialog(L"Second"), IDOK);
    EXPECT_EQ(box.Ask(nullptr, L"three", L"Third", 0x24, 0, 0, 0xC0C0C0, 0x808080), 7);
    ASSERT_TRUE(answerer.Finish());
    ASSERT_EQ(answerer.Seen().size(), 3u);
    EXPECT_EQ(answerer.Seen()[0].lines, std::vector<std::wstring>{L"one"});
    EXPECT_EQ(answerer.Seen()[1].caption, L"Second");
    EXPECT_EQ(answerer.Seen()[2].lines, std::vector<std::wstring>{L"three"});
}
