#pragma once
// A user who answers every message box the program shows by a rule, for as
// long as a check runs, however many boxes it shows: for walks where files
// vanish and the number of "Can't open file" reports is not known ahead.
#include "support/box_answerer.h"

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class BoxRules {
public:
    // The button to click for a box as seen ("Ok", "Yes", "No").
    using Rule = std::function<std::wstring(const SeenBox& box)>;

    explicit BoxRules(Rule rule);
    ~BoxRules();
    BoxRules(const BoxRules&) = delete;
    BoxRules& operator=(const BoxRules&) = delete;

    // Stops answering; every box answered, in order.
    std::vector<SeenBox> Stop();

    // "Ok" for a report, the given answer for "Continue crc check?".
    static Rule ContinueWith(const wchar_t* answer);

private:
    void Run();

    Rule rule;
    volatile LONG stop = 0;
    std::mutex lock;
    std::vector<SeenBox> seen;
    std::thread thread;
};

// The captions of the boxes whose text is `text`, in order.
std::vector<std::wstring> CaptionsOf(const std::vector<SeenBox>& boxes, const std::wstring& text);

// A user who gives up on a check that runs too long: after timeoutMs, Abort
// in the progress dialog, so that a walk that would never end fails its test
// instead of hanging it. Clicks nothing when the check ended in time.
class AbortWhenTooLong {
public:
    explicit AbortWhenTooLong(DWORD timeoutMs);
    ~AbortWhenTooLong();
    AbortWhenTooLong(const AbortWhenTooLong&) = delete;
    AbortWhenTooLong& operator=(const AbortWhenTooLong&) = delete;

    bool Aborted() const { return aborted != 0; }

private:
    HANDLE stop;
    volatile LONG aborted = 0;
    std::thread thread;
};
