#pragma once

// Splits the command line in place into up to slotCount tokens separated by
// spaces (only spaces, not tabs); a token may be enclosed in double quotes and
// then holds spaces. Every slot gets a pointer into text: the token with its
// terminator written over the space or closing quote that ended it, or the
// empty string at the end of text once the text is used up. Text after the
// last slot's token is ignored. Returns the number of non-empty tokens: an
// empty quoted token ("") takes a slot but is not counted. A slotCount of 0 or
// less fills nothing and gives 0. text must not be null.
int SplitCommandLine(wchar_t* text, wchar_t** slots, int slotCount);
