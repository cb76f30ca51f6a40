// What the directory search's errors mean to the walk.
#include "scan/find_source.h"

#include <gtest/gtest.h>

TEST(FindErrors, TellAnEmptyFolderAndTheEndOfAListingFromAFolderNotReadInFull)
{
    struct Case {
        uint32_t error;
        const char* name;
        bool emptyAtOnce;   // the first search's error: an empty folder
        bool endOfListing;  // a later entry's error: the listing came to its end
    };
    const Case cases[] = {
        {2, "file not found", true, false},
        {18, "no more files", true, true},   // an empty drive root, some network servers
        {23, "CRC error", false, false},     // a damaged directory sector
        {1392, "file corrupt", false, false},
        {5, "access denied", false, false},
        {21, "device not ready", false, false},
        {3, "path not found", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsEmptyFolder(c.error), c.emptyAtOnce) << c.name;
        EXPECT_EQ(IsEndOfListing(c.error), c.endOfListing) << c.name;
    }
}
