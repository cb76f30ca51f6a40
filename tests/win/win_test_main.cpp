// Entry point of the Wine test program: a console program whose tests create
// real windows on the thread that runs them; started with
// --write-clipboard-text, the other program that reads the clipboard.
#include "support/clipboard_reader.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const int readerResult = RunAsClipboardReader(argc, argv);
    if (readerResult >= 0)
        return readerResult;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
