#pragma once
// The event handling inside a long file: between two chunks of it, the
// window's pending events are handled whenever kEventIntervalMs have passed
// since the last time, so that the window answers during a long read, and
// Abort or a quit request ends the reading after the chunk in hand.
//
// Only one read of the medium itself can keep the window from answering (a
// damaged sector that the drive retries for many seconds). Windows then
// shows a ghost of the window that the user may move, minimise or close;
// closing it asks first. The ghosting stays on: it can only be turned off
// for the whole life of the process, never for the time of one stuck read.
#include "engine/chunked_crc.h"
#include "engine/event_pacer.h"
#include "scan/command_window.h"
#include "scan/program_state.h"

#include <cstdint>

// A millisecond clock that wraps at 2^32; read once per chunk.
using MillisecondClock = uint32_t (*)();
uint32_t SteadyMilliseconds();

class WalkEvents : public ChunkHook {
public:
    WalkEvents(CommandWindow& window, ScanState& state, MillisecondClock clock)
        : window(window), state(state), clock(clock), pacer(clock()) {}

    // False once Abort was pressed or a quit request is pending.
    bool BetweenChunks() override
    {
        if (!pacer.Due(clock()))
            return true;
        if (window.HandlePendingEvents())
            state.quitSeen = 1;
        return !state.quitSeen && !state.aborted;
    }

private:
    CommandWindow& window;
    ScanState& state;
    MillisecondClock clock;
    EventPacer pacer;
};
