#pragma once
// The clipboard's Unicode text read as another program reads it: this test
// program started once more (--write-clipboard-text FILE) opens the
// clipboard and writes its CF_UNICODETEXT to a file for the test to read.
#include <optional>
#include <string>

// Nothing when the other process found no Unicode text.
std::optional<std::wstring> ClipboardTextOfAnotherProcess();
// The same read by this process (a start of another costs seconds under Wine).
std::optional<std::wstring> ClipboardText();

// The other process: main returns this when the command line asks for it
// (0 written, 2 no Unicode text), -1 when it does not.
int RunAsClipboardReader(int argc, char** argv);
