#include "box_rules.h"

BoxRules::BoxRules(Rule rule) : rule(std::move(rule)), thread([this] { Run(); }) {}

BoxRules::~BoxRules()
{
    Stop();
}

std::vector<SeenBox> BoxRules::Stop()
{
    InterlockedExchange(&stop, 1);
    if (thread.joinable())
        thread.join();
    std::lock_guard<std::mutex> guard(lock);
    return seen;
}

void BoxRules::Run()
{
    while (!InterlockedCompareExchange(&stop, 0, 0)) {
        HWND box = FindBox(BoxQuery::ForBox(nullptr));
        if (!box) {
            Sleep(10);
            continue;
        }
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
}

BoxRules::Rule BoxRules::ContinueWith(const wchar_t* answer)
{
    const std::wstring button = answer;
    return [button](const SeenBox& box) {
        return !box.lines.empty() && box.lines[0] == L"Continue crc check?" ? button
                                                                             : std::wstring(L"Ok");
    };
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
