#pragma once
#include "toolkit/button.h"
#include "toolkit/frame_geometry.h"
#include "toolkit/window.h"

#include <memory>

// The row of push buttons above the list ("BtnBarClass"). Forwards clicks to
// its parent as WM_COMMAND (id, code 0, the bar as sender) and hover texts as
// WM_APP_HOVER; enables and tests buttons by command id.
class BtnBar : public Window {
public:
    BtnBar();

    int OnOtherMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    bool RegisterWindowClass() override;
    void OnCommand(int id, int code, HWND sender) override;
    bool OnCreate() override { return true; }
    void OnPaint() override;
    virtual bool CreateBar(HWND parent, int x, int y, int width, int height);

    bool AllocateButtons(int n);
    bool AddButton(const wchar_t* text, int width, int commandId, bool disabled, const wchar_t* hoverText);
    void EnableButton(int commandId, bool enable);
    bool IsButtonEnabled(int commandId) const;

    bool Visible() const { return visible; }
    int Count() const { return count; }
    // Where the next button will start.
    int NextX() const { return row.NextX(); }

private:
    Button* FindButton(int commandId) const;

    std::unique_ptr<Button[]> buttons;
    std::unique_ptr<int[]> ids;
    int capacity = 0;
    int count = 0;
    ButtonRow row;
    int height = 0;
    bool visible = true;
};
