#pragma once
// Answers the program's message boxes and dialogs the way a user would: a
// background thread waits for the window to appear, notes what it shows and
// clicks one of its buttons. The test thread meanwhile sits in the program's
// own modal loop (MsgBox::Ask, a dialog, a command), which processes the click.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Which top-level window to wait for: a visible, enabled window of this
// process with this class and, when given, this exact caption.
struct BoxQuery {
    std::wstring className;
    std::wstring caption;
    bool anyCaption = true;

    // The program's message box or about box ("CMSGCLASS"); nullptr: any caption.
    static BoxQuery ForBox(const wchar_t* caption = nullptr);
    // A dialog ("#32770": the program's dialogs and the system file and print dialogs).
    static BoxQuery ForDialog(const wchar_t* caption);
};

// What a user sees of a box: caption, text lines and button texts.
struct SeenBox {
    HWND hwnd = nullptr;
    std::wstring className;
    std::wstring caption;
    // Message box: its text split at '\n'. Dialog: the texts of its static controls.
    std::vector<std::wstring> lines;
    // Texts of its push buttons, in child order ('&' kept).
    std::vector<std::wstring> buttons;
};

// The matching window now, or nullptr. Never sends a message, so it is safe
// to call while the window's thread is busy.
HWND FindBox(const BoxQuery& query);
// Polls FindBox until it finds the window or timeoutMs has passed.
HWND WaitForBox(const BoxQuery& query, DWORD timeoutMs = 10000);
// Caption, text lines and buttons of a box, read without sending it messages.
SeenBox ReadBox(HWND box);
// The button (any depth) whose text is buttonText; when none has exactly that
// text, the first whose text equals it once '&' marks are dropped ("Cancel"
// finds "&Cancel"). nullptr when there is none.
HWND FindBoxButton(HWND box, const wchar_t* buttonText);
// Clicks the button as the mouse would (BM_CLICK), without waiting for the
// box's thread to handle it. False when the box has no such button.
bool ClickBoxButton(HWND box, const wchar_t* buttonText);
// The window that has the keyboard focus in the thread that owns the box.
HWND FocusOfBoxThread(HWND box);
// Waits until the window is gone; false on timeout.
bool WaitUntilGone(HWND hwnd, DWORD timeoutMs = 10000);

// One background thread that answers boxes in order: for every step it waits
// for the window, records it, runs the action (by default a click on the named
// button) and waits until that window is gone before it looks for the next.
class BoxAnswerer {
public:
    using Action = std::function<bool(HWND box)>;
    struct Step {
        BoxQuery query;
        Action action;
    };

    // Waits for the box and clicks buttonText.
    BoxAnswerer(const BoxQuery& query, const wchar_t* buttonText, DWORD timeoutMs = 10000);
    // Waits for the box and runs action(box) on the answering thread.
    BoxAnswerer(const BoxQuery& query, Action action, DWORD timeoutMs = 10000);
    // Several boxes, one after the other.
    explicit BoxAnswerer(std::vector<Step> steps, DWORD timeoutMs = 10000);
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    ~BoxAnswerer();

    // Waits for the thread to finish; true when every step found its box and
    // its action succeeded. Seen() is complete afterwards.
    bool Finish();
    // How many boxes were found so far (safe to read while running).
    int FoundCount() const { return found.load(); }
    // The boxes as found, one per step that found its box (valid after Finish).
    const std::vector<SeenBox>& Seen() const { return seen; }
    // The first box seen, or an empty record (valid after Finish).
    SeenBox First() const { return seen.empty() ? SeenBox{} : seen.front(); }

    // A click on the named button, as an action.
    static Action Click(const wchar_t* buttonText);
    // The action, followed by a close request (WM_CLOSE) to the box when it
    // fails, so that a test waiting in the box's modal loop cannot hang.
    static Action ClosingOnFailure(Action action);

private:
    void Run();

    std::vector<Step> steps;
    DWORD timeoutMs;
    std::vector<SeenBox> seen;
    std::atomic<int> found{0};
    bool succeeded = false;
    std::thread thread;
};

// A user who answers every box by a rule, for as long as something runs,
// however many boxes it shows: for walks where files vanish and the number
// of "Can't open file" reports is not known ahead, and for checking that
// nothing is shown at all.
class BoxRules {
public:
    // The button to click for a box as seen ("Ok", "Yes", "No"); an empty
    // text, or a button the box does not have, closes it (WM_CLOSE).
    using Rule = std::function<std::wstring(const SeenBox& box)>;

    // Watches for the windows of the queries: by default the program's boxes.
    explicit BoxRules(Rule rule, std::vector<BoxQuery> queries = {BoxQuery::ForBox()});
    ~BoxRules();
    BoxRules(const BoxRules&) = delete;
    BoxRules& operator=(const BoxRules&) = delete;

    // Stops answering; every box answered, in order.
    std::vector<SeenBox> Stop();

    // "Ok" for a report, the given answer for "Continue crc check?".
    static Rule ContinueWith(const wchar_t* answer);
    // Closes whatever shows up.
    static Rule CloseAll();
    // The program's boxes and every dialog: what CloseAll watches for to see
    // that nothing at all is shown.
    static std::vector<BoxQuery> AnyBoxOrDialog();

private:
    void Run();

    Rule rule;
    std::vector<BoxQuery> queries;
    std::atomic<bool> stop{false};
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
