#pragma once
#include "engine/chunked_crc.h"
#include "engine/event_pacer.h"

// The hook of the checks: between two chunks of a file, every pending window
// message is handled whenever kEventIntervalMs have passed since the last
// time, so that the window answers during a long read and Abort or a quit
// request ends the reading after the chunk in hand.
class PacedMessagePump : public ChunkHook {
public:
    // quitSeen becomes 1 when a quit request is pending; aborted is set by the
    // progress dialog's Abort while the messages are handled. The reading
    // stops once either is set.
    PacedMessagePump(int& quitSeen, const int& aborted);

    bool BetweenChunks() override;

private:
    int& quitSeen;
    const int& aborted;
    EventPacer pacer;
};
