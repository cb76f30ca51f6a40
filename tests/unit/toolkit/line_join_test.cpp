#include "toolkit/line_join.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Fills the block as the list does: each line's text and a zero after it at
// its offset, then the separators.
std::wstring Joined(const std::vector<std::wstring>& lines)
{
    std::vector<std::size_t> lengths;
    for (const std::wstring& line : lines)
        lengths.push_back(line.size());
    const JoinedLines joined(lengths);
    std::wstring block(joined.Chars(), L'#');
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::copy(lines[k].begin(), lines[k].end(), block.begin() + joined.Offset(k));
        block[joined.Offset(k) + lines[k].size()] = L'\0';
    }
    joined.Separate(&block[0]);
    EXPECT_EQ(block.back(), L'\0');
    block.pop_back();
    return block;
}

} // namespace

TEST(JoinedLines, PutsCrLfBetweenLinesAndKeepsTabs)
{
    const struct {
        std::vector<std::wstring> lines;
        std::wstring text;
    } cases[] = {
        {{}, L""},
        {{L"one"}, L"one"},
        {{L"CA6598D0\tC:\\abc.txt", L"last"}, L"CA6598D0\tC:\\abc.txt\r\nlast"},
        {{L"", L"", L"x"}, L"\r\n\r\nx"},
        {{L"x", L""}, L"x\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.size());
        EXPECT_EQ(Joined(c.lines), c.text);
    }
}

TEST(JoinedLines, SizesTheBlockOnce)
{
    const JoinedLines joined({3, 0, 5});
    EXPECT_EQ(joined.Chars(), 3u + 2 + 0 + 2 + 5 + 1);
    EXPECT_EQ(joined.Offset(0), 0u);
    EXPECT_EQ(joined.Offset(1), 5u);
    EXPECT_EQ(joined.Offset(2), 7u);
}
