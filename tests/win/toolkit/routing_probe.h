#pragma once
// What the routing tests of windows and dialogs share: a text for each
// handler call, and a button that notes what reaches it.
#include "toolkit/button.h"

#include <cstdint>
#include <sstream>
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
