#pragma once
// The clipboard's Unicode text read as another program reads it: in a
// process of its own (this test program, started with
// --write-clipboard-text FILE), which opens the clipboard, takes its
// CF_UNICODETEXT and writes it to a file for the test to read.
#include <optional>
#include <string>

// The text up to its terminator; nothing when the other process found no
// Unicode text or could not run.
std::optional<std::wstring> ClipboardTextOfAnotherProcess();

// The other process's side: the text (UTF-16, no terminator) into the file.
// The process's exit code: 0 written, 2 no Unicode text, 3 no file.
int WriteClipboardText(const char* path);

// True when the command line asks for that process (then main returns
// WriteClipboardText's result).
bool IsClipboardReaderCommand(int argc, char** argv);
