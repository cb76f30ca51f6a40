#pragma once
#include <cstddef>

// Cuts the last extension off the last component of a path, in place: the
// text from the last '.' on, unless a '\' or ':' comes after that dot. A dot
// in a folder name or right after a drive colon is never cut.
void StripExtension(wchar_t* path);

// Replaces the extension of the path in buffer (bufferChars characters, the
// terminator included) by defaultExt, given with or without its leading dot:
// "disk1.txt" becomes "disk1.crc" for ".crc". The letter case is the one of
// defaultExt, whatever the user typed. Returns false, with the buffer left as
// it was, when the result would not fit or the buffer holds no terminated
// text. A null defaultExt forces nothing and returns true.
bool ForceExtension(wchar_t* buffer, size_t bufferChars, const wchar_t* defaultExt);
