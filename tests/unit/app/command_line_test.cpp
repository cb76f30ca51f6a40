#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// The command line as wWinMain hands it over: modifiable, split in place.
struct Split {
    explicit Split(const std::wstring& line, int slotCount = 3)
        : text(line.begin(), line.end()), slots(slotCount > 0 ? slotCount : 1, nullptr)
    {
        text.push_back(L'\0');
        end = text.data() + line.size();
        count = SplitCommandLine(text.data(), slots.data(), slotCount);
    }
    std::wstring Slot(int k) const { return slots[k]; }

    std::vector<wchar_t> text;
    std::vector<wchar_t*> slots;
    const wchar_t* end = nullptr;
    int count = 0;
};

} // namespace

TEST(SplitCommandLine, QuotedPathWithSpaceIsOneTokenWithoutItsQuotes)
{
    Split s(L"\"C:\\My Files\\disk one\"");
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.Slot(0), L"C:\\My Files\\disk one");
    EXPECT_EQ(s.slots[1], s.end);
    EXPECT_EQ(s.slots[2], s.end);
}

TEST(SplitCommandLine, OnlySpacesGiveNoTokens)
{
    Split s(L"     ");
    EXPECT_EQ(s.count, 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(s.slots[k], s.end) << "slot " << k;
}

TEST(SplitCommandLine, EmptyTextGivesNoTokens)
{
    Split s(L"");
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(s.slots[0], s.end);
}

TEST(SplitCommandLine, EmptyQuotedTokenTakesASlotButIsNotCounted)
{
    Split s(L"\"\" name");
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.Slot(0), L"");
    EXPECT_EQ(s.slots[0], s.text.data() + 1);  // just after the opening quote
    EXPECT_EQ(s.Slot(1), L"name");
    EXPECT_EQ(s.slots[2], s.end);
}

TEST(SplitCommandLine, TextAfterTheLastSlotIsIgnored)
{
    Split s(L"one  two three four five");
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.Slot(0), L"one");
    EXPECT_EQ(s.Slot(1), L"two");
    EXPECT_EQ(s.Slot(2), L"three");
    // The rest stays in the text, untouched.
    EXPECT_EQ(std::wstring(s.slots[2] + 6), L"four five");
}

TEST(SplitCommandLine, OnlySpacesSeparate)
{
    Split s(L"a\tb c");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.Slot(0), L"a\tb");
    EXPECT_EQ(s.Slot(1), L"c");
}

TEST(SplitCommandLine, QuoteWithoutItsEndRunsToTheEndOfTheText)
{
    Split s(L"\"C:\\a b");
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.Slot(0), L"C:\\a b");
    EXPECT_EQ(s.slots[1], s.end);
}

TEST(SplitCommandLine, QuotesOnlyCountAtTheStartOfAToken)
{
    Split s(L"ab\"c d\"");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.Slot(0), L"ab\"c");
    EXPECT_EQ(s.Slot(1), L"d\"");
}

TEST(SplitCommandLine, TextRightAfterAClosingQuoteStartsTheNextToken)
{
    Split s(L"\"a b\"c");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.Slot(0), L"a b");
    EXPECT_EQ(s.Slot(1), L"c");
}

TEST(SplitCommandLine, MixedQuotedAndPlainTokens)
{
    Split s(L"  x.txt \"C:\\Program Files\" \"\"");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.Slot(0), L"x.txt");
    EXPECT_EQ(s.Slot(1), L"C:\\Program Files");
    EXPECT_EQ(s.Slot(2), L"");
}

TEST(SplitCommandLine, NoSlotsGiveZeroAndTouchNothing)
{
    wchar_t text[] = L"a b";
    wchar_t* slot = nullptr;
    EXPECT_EQ(SplitCommandLine(text, &slot, 0), 0);
    EXPECT_EQ(SplitCommandLine(text, &slot, -2), 0);
    EXPECT_EQ(slot, nullptr);
    EXPECT_STREQ(text, L"a b");
}

TEST(SplitCommandLine, OneSlotTakesTheFirstToken)
{
    Split s(L"first second", 1);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.Slot(0), L"first");
}
