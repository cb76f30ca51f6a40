#pragma once

// Handles every pending message of the thread. Returns 1, leaving it queued,
// when the next pending message is the quit request; 0 once the queue is empty.
int PumpPendingMessages();
