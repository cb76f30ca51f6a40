// The pause of the system's file-system redirection: turned off for as long as
// the pause lives, then restored with what turning it off gave, also when
// pauses nest; nothing restored where there was nothing to turn off.
#include "engine/redirection_pause.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A redirection that writes down its calls; `on` is whether it is in force.
class JournalSwitch : public RedirectionSwitch {
public:
    explicit JournalSwitch(bool exists) : exists(exists) {}

    bool TurnOff(void** previous) override
    {
        calls.push_back("off");
        if (!exists)
            return false;
        *previous = reinterpret_cast<void*>(on ? 1 : 2);
        on = false;
        return true;
    }
    void Restore(void* previous) override
    {
        calls.push_back(previous == reinterpret_cast<void*>(1) ? "restore on" : "restore off");
        on = previous == reinterpret_cast<void*>(1);
    }

    bool exists;
    bool on = true;
    std::vector<std::string> calls;
};

}  // namespace

TEST(RedirectionPause, IsOffWhileThePauseLivesAndOnAgainAfter)
{
    JournalSwitch redirection(true);
    {
        RedirectionPause pause(redirection);
        EXPECT_FALSE(redirection.on);
    }
    EXPECT_TRUE(redirection.on);
    EXPECT_EQ((std::vector<std::string>{"off", "restore on"}), redirection.calls);
}

TEST(RedirectionPause, NestedPausesRestoreInTurn)
{
    JournalSwitch redirection(true);
    {
        RedirectionPause outer(redirection);
        {
            RedirectionPause inner(redirection);
            EXPECT_FALSE(redirection.on);
        }
        EXPECT_FALSE(redirection.on) << "the outer pause still holds";
    }
    EXPECT_TRUE(redirection.on);
    EXPECT_EQ((std::vector<std::string>{"off", "off", "restore off", "restore on"}), redirection.calls);
}

TEST(RedirectionPause, WithoutRedirectionNothingIsRestored)
{
    // A 64-bit program, or 32-bit Windows: turning off fails.
    JournalSwitch redirection(false);
    { RedirectionPause pause(redirection); }
    EXPECT_EQ(std::vector<std::string>{"off"}, redirection.calls);
}
