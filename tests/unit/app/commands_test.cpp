#include "app/commands.h"
#include "resource.h"
#include "toolkit/find_char.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>

TEST(CommandButtons, EveryCommandHasOneButtonInBarOrder)
{
    const int expectedOrder[] = {IDM_SCAN, IDM_COMPARE, IDM_LOAD, IDM_SAVE, IDM_PRINT, IDM_ABOUT, IDM_EXIT};
    for (int i = 0; i < kCommandButtonCount; ++i)
        EXPECT_EQ(kCommandButtons[i].commandId, expectedOrder[i]) << i;
}

TEST(CommandButtons, MnemonicsAreDistinctLetters)
{
    std::set<wchar_t> letters;
    for (const CommandButton& b : kCommandButtons) {
        wchar_t m = MnemonicOf(b.text);
        ASSERT_TRUE(std::iswalpha(m)) << b.commandId;
        EXPECT_TRUE(letters.insert(static_cast<wchar_t>(std::towupper(m))).second) << b.commandId;
    }
}

// The bar places buttons from x 2 with 3 pixels between them; the row must
// end inside the client area of the 470 pixel wide main window.
TEST(CommandButtons, RowEndsAt450)
{
    int x = 2;
    for (const CommandButton& b : kCommandButtons)
        x += b.width + 3;
    EXPECT_EQ(x - 3, 450);
}

TEST(CommandButtons, OnlyCompareSaveAndPrintStartDisabled)
{
    for (const CommandButton& b : kCommandButtons) {
        bool needsData = b.commandId == IDM_COMPARE || b.commandId == IDM_SAVE || b.commandId == IDM_PRINT;
        EXPECT_EQ(b.initiallyDisabled, needsData) << b.commandId;
    }
}

TEST(CommandButtons, EveryButtonHasHoverText)
{
    for (const CommandButton& b : kCommandButtons)
        EXPECT_NE(b.hoverText[0], L'\0') << b.commandId;
}
