#pragma once
// Window-free: many lines as one block of text, as the clipboard takes text:
// CR LF between lines, none after the last, one terminating zero. The block
// is filled in place: each line's text goes to its offset (a zero written
// right after it is harmless: Separate then puts the separator there).
#include <cstddef>
#include <vector>

class JoinedLines {
public:
    // lengths: each line's length in characters, in order.
    explicit JoinedLines(const std::vector<std::size_t>& lengths);

    // The whole block in characters, the terminator included.
    std::size_t Chars() const { return chars; }
    // Where a line's text starts in the block.
    std::size_t Offset(std::size_t line) const { return offsets[line]; }
    // Writes the separators and the terminator into a block of Chars() characters.
    void Separate(wchar_t* block) const;

private:
    std::vector<std::size_t> offsets;
    std::vector<std::size_t> lengths;
    std::size_t chars = 1;
};
