#pragma once
#include <windows.h>

// Puts a block of Unicode text (GlobalAlloc'ed, movable, zero-terminated)
// on the clipboard in place of whatever it held, owned by owner. The
// clipboard takes the block; when it cannot, the block is freed. False then.
bool PutClipboardText(HWND owner, HGLOBAL text);
