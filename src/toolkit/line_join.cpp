#include "toolkit/line_join.h"

JoinedLines::JoinedLines(const std::vector<std::size_t>& lineLengths) : lengths(lineLengths)
{
    offsets.reserve(lengths.size());
    std::size_t at = 0;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        if (k > 0)
            at += 2;
        offsets.push_back(at);
        at += lengths[k];
    }
    chars = at + 1;
}

void JoinedLines::Separate(wchar_t* block) const
{
    for (std::size_t k = 0; k + 1 < offsets.size(); ++k) {
        wchar_t* end = block + offsets[k] + lengths[k];
        end[0] = L'\r';
        end[1] = L'\n';
    }
    block[chars - 1] = L'\0';
}
