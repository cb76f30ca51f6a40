#include "support/box_answerer.h"

#include "toolkit/msg_box.h"

#include <cwchar>

namespace {

constexpr DWORD kPollMs = 20;

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    return name;
}

// Reads a window's text from the window manager's copy: unlike GetWindowText
// it sends nothing, so it never waits for the box's (busy) thread.
std::wstring TextOf(HWND hwnd)
{
    wchar_t text[512] = L"";
    InternalGetWindowText(hwnd, text, 512);
    return text;
}

std::wstring WithoutMnemonics(const std::wstring& text)
{
    std::wstring plain;
    for (wchar_t ch : text)
        if (ch != L'&')
            plain += ch;
    return plain;
}

bool IsPushButton(HWND hwnd)
{
    if (_wcsicmp(ClassOf(hwnd).c_str(), L"Button") != 0)
        return false;
    LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

struct BoxSearch {
    const BoxQuery* query;
    DWORD process;
    HWND result;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lparam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lparam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return TRUE;
    if (ClassOf(hwnd) != search->query->className)
        return TRUE;
    if (!search->query->anyCaption && TextOf(hwnd) != search->query->caption)
        return TRUE;
    search->result = hwnd;
    return FALSE;
}

struct ChildList {
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lparam)
{
    reinterpret_cast<ChildList*>(lparam)->children.push_back(hwnd);
    return TRUE;
}

// Every descendant, parents before their children (EnumChildWindows order).
std::vector<HWND> DescendantsOf(HWND box)
{
    ChildList list;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&list));
    return list.children;
}

std::vector<std::wstring> SplitLines(const wchar_t* text)
{
    std::vector<std::wstring> lines;
    if (!text)
        return lines;
    const wchar_t* start = text;
    while (*start) {
        const wchar_t* end = start;
        while (*end && *end != L'\n')
            ++end;
        lines.emplace_back(start, end);
        start = *end ? end + 1 : end;
    }
    return lines;
}

} // namespace

BoxQuery BoxQuery::ForBox(const wchar_t* caption)
{
    BoxQuery query;
    query.className = L"CMSGCLASS";
    query.anyCaption = caption == nullptr;
    if (caption)
        query.caption = caption;
    return query;
}

BoxQuery BoxQuery::ForDialog(const wchar_t* caption)
{
    BoxQuery query;
    query.className = L"#32770";
    query.anyCaption = caption == nullptr;
    if (caption)
        query.caption = caption;
    return query;
}

HWND FindBox(const BoxQuery& query)
{
    BoxSearch search{&query, GetCurrentProcessId(), nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.result;
}

HWND WaitForBox(const BoxQuery& query, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND box = FindBox(query))
            return box;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

SeenBox ReadBox(HWND box)
{
    SeenBox seen;
    seen.hwnd = box;
    seen.className = ClassOf(box);
    seen.caption = TextOf(box);
    if (seen.className == L"CMSGCLASS") {
        // The box draws its text itself; its object holds the lines it shows.
        auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(box, GWLP_USERDATA));
        if (window)
            seen.lines = SplitLines(static_cast<MsgBox*>(window)->Text());
    }
    for (HWND child : DescendantsOf(box)) {
        if (IsPushButton(child))
            seen.buttons.push_back(TextOf(child));
        else if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && !TextOf(child).empty())
            seen.lines.push_back(TextOf(child));
    }
    return seen;
}

HWND FindBoxButton(HWND box, const wchar_t* buttonText)
{
    std::vector<HWND> buttons;
    for (HWND child : DescendantsOf(box))
        if (IsPushButton(child))
            buttons.push_back(child);
    for (HWND button : buttons)
        if (TextOf(button) == buttonText)
            return button;
    std::wstring plain = WithoutMnemonics(buttonText);
    for (HWND button : buttons)
        if (WithoutMnemonics(TextOf(button)) == plain)
            return button;
    return nullptr;
}

bool ClickBoxButton(HWND box, const wchar_t* buttonText)
{
    HWND button = FindBoxButton(box, buttonText);
    if (!button)
        return false;
    // Queued for the box's thread like a sent message, but this thread does
    // not wait: the click may start a long operation there.
    return SendNotifyMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

HWND FocusOfBoxThread(HWND box)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

bool WaitUntilGone(HWND hwnd, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(hwnd)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

BoxAnswerer::Action BoxAnswerer::Click(const wchar_t* buttonText)
{
    std::wstring text = buttonText;
    return [text](HWND box) {
        // A dialog may show itself before all of its buttons exist.
        DWORD start = GetTickCount();
        while (!ClickBoxButton(box, text.c_str())) {
            if (GetTickCount() - start >= 5000 || !IsWindow(box))
                return false;
            Sleep(kPollMs);
        }
        return true;
    };
}

BoxAnswerer::Action BoxAnswerer::ClosingOnFailure(Action action)
{
    return [action](HWND box) {
        bool ok = action(box);
        if (!ok && IsWindow(box))
            PostMessageW(box, WM_CLOSE, 0, 0);
        return ok;
    };
}

BoxAnswerer::BoxAnswerer(const BoxQuery& query, const wchar_t* buttonText, DWORD timeout)
    : BoxAnswerer(std::vector<Step>{{query, Click(buttonText)}}, timeout)
{
}

BoxAnswerer::BoxAnswerer(const BoxQuery& query, Action action, DWORD timeout)
    : BoxAnswerer(std::vector<Step>{{query, std::move(action)}}, timeout)
{
}

BoxAnswerer::BoxAnswerer(std::vector<Step> allSteps, DWORD timeout)
    : steps(std::move(allSteps)), timeoutMs(timeout), thread([this] { Run(); })
{
}

BoxAnswerer::~BoxAnswerer()
{
    if (thread.joinable())
        thread.join();
}

bool BoxAnswerer::Finish()
{
    if (thread.joinable())
        thread.join();
    return succeeded;
}

void BoxAnswerer::Run()
{
    HWND previous = nullptr;
    for (const Step& step : steps) {
        // The box just answered may still exist for a moment: never take it twice.
        if (previous && !WaitUntilGone(previous, timeoutMs))
            return;
        HWND box = WaitForBox(step.query, timeoutMs);
        if (!box)
            return;
        seen.push_back(ReadBox(box));
        ++found;
        if (!step.action(box))
            return;
        previous = box;
    }
    succeeded = true;
}

BoxRules::BoxRules(Rule rule, std::vector<BoxQuery> queries)
    : rule(std::move(rule)), queries(std::move(queries)), thread([this] { Run(); })
{
}

BoxRules::~BoxRules()
{
    Stop();
}

std::vector<SeenBox> BoxRules::Stop()
{
    stop = true;
    if (thread.joinable())
        thread.join();
    std::lock_guard<std::mutex> guard(lock);
    return seen;
}

void BoxRules::Run()
{
    while (!stop) {
        for (const BoxQuery& query : queries) {
            HWND box = FindBox(query);
            if (!box)
                continue;
            const SeenBox found = ReadBox(box);
            const std::wstring button = rule(found);
            {
                std::lock_guard<std::mutex> guard(lock);
                seen.push_back(found);
            }
            if (button.empty() || !ClickBoxButton(box, button.c_str()))
                SendNotifyMessageW(box, WM_CLOSE, 0, 0);
            WaitUntilGone(box, 5000);
        }
        Sleep(10);
    }
}

BoxRules::Rule BoxRules::ContinueWith(const wchar_t* answer)
{
    const std::wstring button = answer;
    return [button](const SeenBox& box) {
        return !box.lines.empty() && box.lines[0] == L"Continue crc check?" ? button
                                                                             : std::wstring(L"Ok");
    };
}

BoxRules::Rule BoxRules::CloseAll()
{
    return [](const SeenBox&) { return std::wstring(); };
}

std::vector<BoxQuery> BoxRules::AnyBoxOrDialog()
{
    return {BoxQuery::ForBox(), BoxQuery::ForDialog(nullptr)};
}

std::vector<std::wstring> CaptionsOf(const std::vector<SeenBox>& boxes, const std::wstring& text)
{
    std::vector<std::wstring> captions;
    for (const SeenBox& box : boxes)
        if (box.lines.size() == 1 && box.lines[0] == text)
            captions.push_back(box.caption);
    return captions;
}

AbortWhenTooLong::AbortWhenTooLong(DWORD timeoutMs)
    : stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread([this, timeoutMs] {
          if (WaitForSingleObject(stop, timeoutMs) != WAIT_TIMEOUT)
              return;
          // The progress dialog has no caption; it is the one with Abort. It
          // is disabled while a message box is up, so the user tries again.
          do {
              if (HWND dialog = FindBox(BoxQuery::ForDialog(L"")))
                  if (ClickBoxButton(dialog, L"Abort"))
                      InterlockedExchange(&aborted, 1);
              // A report or question in the way is answered to stop.
              if (HWND box = FindBox(BoxQuery::ForBox(nullptr)))
                  if (!ClickBoxButton(box, L"No"))
                      ClickBoxButton(box, L"Ok");
          } while (WaitForSingleObject(stop, 50) == WAIT_TIMEOUT);
      })
{
}

AbortWhenTooLong::~AbortWhenTooLong()
{
    SetEvent(stop);
    thread.join();
    CloseHandle(stop);
}
