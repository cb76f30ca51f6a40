// Entry point of the Wine test program: a console program whose tests create
// real windows on the thread that runs them. Started with
// --write-clipboard-text, it is instead the other program that reads the
// clipboard (support/clipboard_reader.h).
#include "support/clipboard_reader.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (IsClipboardReaderCommand(argc, argv))
        return WriteClipboardText(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
