// The about box as a user meets it: an ellipse over its owner with the text,
// the link and "&Ok"; the link opens its target and closes the box.
#include "msgbox/box_owner.h"
#include "resource.h"
#include "support/box_answerer.h"
#include "support/window_shot.h"
#include "toolkit/msg_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr COLORREF kBack = RGB(192, 192, 192);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kLinkBlue = RGB(0, 0, 128);

const wchar_t kTitleLine[] = L"" FERROW_NAME_TEXT " " FERROW_VERSION_TEXT;
const wchar_t kAboutText[] =
    L"" FERROW_NAME_TEXT " " FERROW_VERSION_TEXT "\nTells whether a disk still reads back intact.";

// The link is the one owner-drawn button; it appears with the first paint.
HWND WaitForLink(HWND box)
{
    HWND link = nullptr;
    WaitUntil([&] {
        link = FindBoxButton(box, L"");
        return link != nullptr;
    });
    return link;
}

// Steps that fail close the box, so that Ask cannot hang.
BoxAnswerer::Action Guarded(BoxAnswerer::Action action)
{
    return BoxAnswerer::ClosingOnFailure(std::move(action));
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class AboutBoxTest : public testing::Test {
protected:
    int Show(const wchar_t* link)
    {
        return about.Ask(owner.Handle(), kAboutText, link, 0, 102, kBlack, kBack, kShadow);
    }

    BoxOwner owner;
    AboutBox about;
};

struct AboutSeen {
    RECT window{};
    RECT client{};
    RECT link{};
    RECT ok{};
    bool centreInRegion = false;
    bool cornerInRegion = true;
    bool ownerEnabled = true;
    HWND linkWindow = nullptr;
    ScreenShot shot;
};

} // namespace

TEST_F(AboutBoxTest, OkClosesWithOneAndTheLayoutIsTheEllipse)
{
    const int lh = DisplayLineHeight();
    const int width = DisplayTextWidth(L"Tells whether a disk still reads back intact.") +
                      4 * DisplayMaxCharWidth();
    const int height = (2 + 10) * lh;
    const wchar_t* linkText = L"https://ferrow.invalid/";

    AboutSeen seen;
    BoxAnswerer answerer(BoxQuery::ForBox(L""), Guarded([&](HWND b) {
        seen.linkWindow = WaitForLink(b);
        if (!seen.linkWindow)
            return false;
        seen.ownerEnabled = IsWindowEnabled(owner.Handle()) != FALSE;
        GetWindowRect(b, &seen.window);
        GetClientRect(b, &seen.client);
        seen.link = ChildRectInParent(seen.linkWindow);
        seen.ok = ChildRectInParent(FindBoxButton(b, L"&Ok"));
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(b, region) != ERROR) {
            seen.centreInRegion = PtInRegion(region, width / 2, height / 2) != FALSE;
            seen.cornerInRegion = PtInRegion(region, 3, 3) != FALSE;
        }
        DeleteObject(region);
        // The picture once the link text is drawn.
        WaitUntil([&] {
            seen.shot = CapturePainted(b);
            return seen.shot.CountColour(kLinkBlue) > 5 && seen.shot.CountColour(kRed) > 100;
        });
        return ClickBoxButton(b, L"&Ok");
    }));
    int answer = Show(linkText);
    ASSERT_TRUE(answerer.Finish());

    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(IsWindow(answerer.First().hwnd));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_EQ(answerer.First().lines,
              (std::vector<std::wstring>{kTitleLine,
                                         L"Tells whether a disk still reads back intact."}));

    // Made width x height, grown by one pixel to the ellipse's bounds and by one
    // more when centred; no caption, no border.
    EXPECT_EQ(seen.window.right - seen.window.left, width + 2);
    EXPECT_EQ(seen.window.bottom - seen.window.top, height + 2);
    EXPECT_EQ(seen.client.right, width + 2);
    RECT ownerRect;
    GetWindowRect(owner.Handle(), &ownerRect);
    EXPECT_NEAR((seen.window.left + seen.window.right) / 2, (ownerRect.left + ownerRect.right) / 2,
                1);
    EXPECT_NEAR((seen.window.top + seen.window.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2,
                1);
    EXPECT_TRUE(seen.centreInRegion);
    EXPECT_FALSE(seen.cornerInRegion);

    // "&Ok" in the middle, three line heights above the bottom.
    EXPECT_EQ(seen.ok.left, width / 2 - 30);
    EXPECT_EQ(seen.ok.top, height - 3 * lh);
    // The link: centred in the ellipse's width, one empty line below the two text lines.
    const int linkWidth = seen.link.right - seen.link.left;
    EXPECT_GT(linkWidth, 0);
    EXPECT_EQ(seen.link.left, (width + 1 - linkWidth) / 2);
    EXPECT_EQ(seen.link.top, 2 * lh + 32 + 2 * lh + lh);

    // The picture: red outline, grey inside, dark text, the blue link, and
    // the owner (white) showing outside the ellipse.
    ASSERT_FALSE(seen.shot.Empty());
    EXPECT_TRUE(seen.shot.SaveBmp(TestOutputDir() + L"\\about_box.bmp"));
    EXPECT_GT(seen.shot.CountColour(kRed), 100);
    EXPECT_EQ(seen.shot.At(20, height / 2), kBack);
    EXPECT_NE(seen.shot.At(0, 0), kBack);
    EXPECT_NE(seen.shot.At(seen.shot.width - 1, seen.shot.height - 1), kBack);
    RECT textArea = {0, 2 * lh + 32, width, 4 * lh + 32};
    EXPECT_GT(seen.shot.CountColour(kBlack, textArea), 20);
    EXPECT_GT(seen.shot.CountColour(kLinkBlue, seen.link), 5);
}

TEST_F(AboutBoxTest, LinkOpensItsTargetAndClosesWithOne)
{
    // A harmless local target with a visible effect: a batch file that leaves a mark.
    const std::wstring dir = TestOutputDir();
    const std::wstring script = dir + L"\\open_link.bat";
    const std::wstring mark = dir + L"\\link_opened.txt";
    DeleteFileW(mark.c_str());
    FILE* file = _wfopen(script.c_str(), L"w");
    ASSERT_NE(file, nullptr);
    std::string markPath(mark.begin(), mark.end());
    fprintf(file, "@echo opened> \"%s\"\n", markPath.c_str());
    fclose(file);

    BoxAnswerer answerer(BoxQuery::ForBox(L""), Guarded([&](HWND b) {
        HWND link = WaitForLink(b);
        return link && SendNotifyMessageW(link, BM_CLICK, 0, 0);
    }));
    int answer = Show(script.c_str());
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(IsWindow(answerer.First().hwnd));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(mark); }, 15000));
}

TEST_F(AboutBoxTest, EveryShowingMakesItsOwnLink)
{
    HWND firstLink = nullptr, secondLink = nullptr;
    int firstId = 0, secondId = 0;
    BoxAnswerer first(BoxQuery::ForBox(L""), Guarded([&](HWND b) {
        firstLink = WaitForLink(b);
        firstId = GetDlgCtrlID(firstLink);
        return firstLink && ClickBoxButton(b, L"&Ok");
    }));
    EXPECT_EQ(Show(L"https://ferrow.invalid/"), 1);
    ASSERT_TRUE(first.Finish());
    EXPECT_FALSE(IsWindow(firstLink));

    BoxAnswerer second(BoxQuery::ForBox(L""), Guarded([&](HWND b) {
        secondLink = WaitForLink(b);
        secondId = GetDlgCtrlID(secondLink);
        return secondLink && ClickBoxButton(b, L"Ok");
    }));
    EXPECT_EQ(Show(L"https://ferrow.invalid/"), 1);
    ASSERT_TRUE(second.Finish());
    EXPECT_NE(secondLink, nullptr);
    // Automatic ids only grow: the second link is a new control.
    EXPECT_GT(firstId, 0);
    EXPECT_GT(secondId, firstId);
}

TEST_F(AboutBoxTest, WithoutLinkTextThereIsNoLinkAndTheBoxIsShorter)
{
    const int lh = DisplayLineHeight();
    RECT window{};
    size_t buttons = 0;
    BoxAnswerer answerer(BoxQuery::ForBox(L""), Guarded([&](HWND b) {
        // The first paint, which would make a link, is over.
        if (!WaitUntilPainted(b))
            return false;
        GetWindowRect(b, &window);
        buttons = ReadBox(b).buttons.size();
        return ClickBoxButton(b, L"&Ok");
    }));
    EXPECT_EQ(Show(L""), 1);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(buttons, 1u);
    EXPECT_EQ(window.bottom - window.top, (2 + 8) * lh + 2);
}
