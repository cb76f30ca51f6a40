#pragma once
// What the routing tests of windows and dialogs share: a text for each
// handler call, the handlers of both families noting their calls, and a
// button that notes what reaches it.
#include "toolkit/button.h"
#include "toolkit/window_object.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace toolkit_test {

inline long long CallArgument(long long value) { return value; }
template <typename T>
uintptr_t CallArgument(T* handle) { return reinterpret_cast<uintptr_t>(handle); }

// "OnSize 2 640 480": a handler's name and its arguments, handles as numbers.
template <typename... Args>
std::string CallText(const char* handler, Args... args)
{
    std::ostringstream text;
    text << handler;
    ((text << ' ' << CallArgument(args)), ...);
    return text.str();
}

// The handlers that windows and dialogs share, each noting its call; a probe
// window or dialog derives from RecordingHandlers<Window> or <Dialog>.
template <typename Family>
class RecordingHandlers : public Family {
public:
    void OnDestroy() override { Note(CallText("OnDestroy")); }
    void OnSize(UINT type, int width, int height) override { Note(CallText("OnSize", type, width, height)); }
    void OnSetFocus() override { Note(CallText("OnSetFocus")); }
    void OnPaint() override
    {
        Note(CallText("OnPaint"));
        Family::OnPaint();   // a window validates: no endless repainting
    }
    LRESULT OnQueryEndSession() override { Note(CallText("OnQueryEndSession")); return 7; }
    void OnDrawItem(int id, DRAWITEMSTRUCT* item) override { Note(CallText("OnDrawItem", id, item)); }
    LRESULT OnVKeyToItem(int key, int caret) override { Note(CallText("OnVKeyToItem", key, caret)); return -2; }
    void OnNotify(int id, NMHDR* record) override { Note(CallText("OnNotify", id, record)); }
    void OnCommand(int id, int code, HWND sender) override
    {
        if (throwOnCommand)
            throw std::runtime_error("handler failed");
        Note(CallText("OnCommand", id, code, sender));
    }
    void OnLButtonDown(UINT keys, int x, int y) override { Note(CallText("OnLButtonDown", keys, x, y)); }
    void OnDropFiles(HDROP drop) override { Note(CallText("OnDropFiles", drop)); }

    void Note(const std::string& call) { calls.push_back(call); }
    // The calls of these handlers only, in order.
    std::vector<std::string> CallsOf(std::initializer_list<const char*> handlers) const
    {
        std::vector<std::string> of;
        for (const std::string& call : calls)
            for (const char* handler : handlers)
                if (call.substr(0, call.find(' ')) == handler)
                    of.push_back(call);
        return of;
    }

    std::vector<std::string> calls;
    bool throwOnCommand = false;
};

// One message of a table: what is sent, which handlers run, what comes back.
struct MessageRow {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
    std::vector<std::string> calls;
    LRESULT result;
};

inline LPARAM Record(const void* record)
{
    return reinterpret_cast<LPARAM>(record);
}

// The rows that both tables route alike: each message to its handler with
// its parameters unpacked. child is any child window of the receiver;
// notifyAnswer is the family's answer to WM_NOTIFY.
inline std::vector<MessageRow> RowsOfBothTables(HWND child, LRESULT notifyAnswer)
{
    const HDROP drop = reinterpret_cast<HDROP>(0x5678);
    // Signed client coordinates: left of and above the window.
    const LPARAM point = MAKELPARAM(-3, 7);
    return {
        {WM_CREATE, 0, 0, {"OnCreate"}, 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), {CallText("OnSize", SIZE_MAXIMIZED, 640, 480)}, 0},
        {WM_SETFOCUS, 0, 0, {"OnSetFocus"}, 0},
        {WM_PAINT, 0, 0, {"OnPaint"}, 0},
        {WM_QUERYENDSESSION, 0, 0, {"OnQueryEndSession"}, 7},
        {WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 3), Record(child), {CallText("OnVKeyToItem", VK_DELETE, 3)}, -2},
        {WM_LBUTTONDOWN, MK_LBUTTON, point, {CallText("OnLButtonDown", MK_LBUTTON, -3, 7)}, 0},
        {WM_DROPFILES, WPARAM(drop), 0, {CallText("OnDropFiles", drop)}, 0},
        // A plain number is not read as a notification record.
        {WM_NOTIFY, 14, 7, {CallText("OnNotify", 14, static_cast<NMHDR*>(nullptr))}, notifyAnswer},
    };
}

// Messages that no window or dialog of the program handles: outside both
// tables, each goes to OnOtherMessage, and its answer is 0 here (a window's
// default procedure answers these with 0).
inline std::vector<MessageRow> MessagesOutsideTheTables()
{
    const LPARAM keyData = 0x001E0001;   // one press, scan code 0x1E
    std::vector<MessageRow> rows;
    for (UINT msg : {UINT(WM_KILLFOCUS), UINT(WM_KEYDOWN), UINT(WM_TIMER), UINT(WM_MOUSEMOVE)})
        rows.push_back({msg, msg == WM_KEYDOWN ? WPARAM('A') : 0, msg == WM_KEYDOWN ? keyData : 0,
                        {CallText("OnOtherMessage", msg)}, 0});
    return rows;
}

// Hands each row's message to send and checks the result and the calls
// that the recorder noted.
template <typename Recorder, typename Send>
void CheckRows(const std::vector<MessageRow>& rows, Recorder& recorder, Send send)
{
    for (const MessageRow& row : rows) {
        SCOPED_TRACE(row.calls.empty() ? "message " + std::to_string(row.msg) : row.calls[0]);
        recorder.calls.clear();
        EXPECT_EQ(send(row.msg, row.wparam, row.lparam), row.result);
        EXPECT_EQ(recorder.calls, row.calls);
    }
}

// A button that notes the notification codes and draw records that reach it,
// and answers every notification with 5.
class NotifiedButton : public Button {
public:
    LRESULT OnNotify(NMHDR* record) override
    {
        codes.push_back(record->code);
        return 5;
    }
    void OnDrawItem(DRAWITEMSTRUCT* record) override { drawnIds.push_back(static_cast<int>(record->CtlID)); }

    std::vector<UINT> codes;
    std::vector<int> drawnIds;
};

} // namespace toolkit_test
