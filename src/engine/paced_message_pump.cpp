#include "engine/paced_message_pump.h"

#include "engine/message_pump.h"

#include <windows.h>

PacedMessagePump::PacedMessagePump(int& quitSeen, const int& aborted)
    : quitSeen(quitSeen), aborted(aborted), pacer(GetTickCount())
{
}

bool PacedMessagePump::BetweenChunks()
{
    if (!pacer.Due(GetTickCount()))
        return true;
    if (PumpPendingMessages() == 1)
        quitSeen = 1;
    return !quitSeen && !aborted;
}
