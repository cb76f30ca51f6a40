#pragma once
// When a long read hands over to the event handling: once some time has passed
// since the events were last handled, not at every chunk, so that reading
// cached data keeps its speed while a slow drive still leaves the window
// answering several times a second.
#include <cstdint>

constexpr uint32_t kEventIntervalMs = 100;

class EventPacer {
public:
    // startMs: a reading of a millisecond clock that wraps at 2^32, taken
    // when the events were last handled.
    explicit EventPacer(uint32_t startMs, uint32_t intervalMs = kEventIntervalMs)
        : last(startMs), interval(intervalMs) {}

    // True when intervalMs or more have passed since the last handling; the
    // next interval then counts from nowMs. The caller reads the clock once
    // per chunk and hands the reading in.
    bool Due(uint32_t nowMs)
    {
        if (nowMs - last < interval)
            return false;
        last = nowMs;
        return true;
    }

private:
    uint32_t last;
    uint32_t interval;
};
