// The program's compiled resources: accelerators, dialog templates, icon,
// cursor, manifest and version block, read back from the module.
#include "support/app_fixture.h"

#include "app/commands.h"
#include "resource.h"
#include "toolkit/control.h"
#include "toolkit/find_char.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

namespace {

HMODULE Module()
{
    return GetModuleHandleW(nullptr);
}

std::vector<uint8_t> ResourceBytes(const wchar_t* type, int id)
{
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(Module(), found);
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(loaded));
    return std::vector<uint8_t>(data, data + SizeofResource(Module(), found));
}

// Reads a dialog template field by field.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint8_t>& bytes) : bytes(bytes) {}

    uint16_t Word()
    {
        uint16_t v = static_cast<uint16_t>(bytes.at(pos) | (bytes.at(pos + 1) << 8));
        pos += 2;
        return v;
    }
    uint32_t Dword()
    {
        uint32_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    std::wstring String()
    {
        std::wstring s;
        while (uint16_t c = Word())
            s += static_cast<wchar_t>(c);
        return s;
    }
    // An ordinal (0xFFFF, value) as "#value", a string as itself, nothing as "".
    std::wstring NameOrOrdinal()
    {
        if (bytes.at(pos) == 0xFF && bytes.at(pos + 1) == 0xFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void AlignDword() { pos = (pos + 3) & ~size_t{3}; }

private:
    const std::vector<uint8_t>& bytes;
    size_t pos = 0;
};

struct Item {
    int id;
    std::wstring className;
    std::wstring text;
    int x, y, cx, cy;
    uint32_t style;
};

bool operator==(const Item& a, const Item& b)
{
    return a.id == b.id && a.className == b.className && a.text == b.text && a.x == b.x && a.y == b.y &&
           a.cx == b.cx && a.cy == b.cy && a.style == b.style;
}

std::ostream& operator<<(std::ostream& os, const Item& i)
{
    return os << "id " << i.id << " class " << std::string(i.className.begin(), i.className.end()) << " "
              << i.x << "," << i.y << " " << i.cx << "x" << i.cy << " style " << std::hex << i.style
              << std::dec;
}

}  // namespace

TEST(AppResources, AcceleratorsAreAltKeysInTheirStoredOrder)
{
    std::vector<uint8_t> raw = ResourceBytes(RT_ACCELERATOR, IDR_ACCELERATORS);
    ASSERT_EQ(raw.size(), 7u * 8u);
    struct Entry { uint8_t flags; wchar_t key; int command; };
    const Entry expected[] = {
        {0x11, L'S', IDM_SCAN}, {0x11, L'L', IDM_LOAD},    {0x11, L'A', IDM_ABOUT}, {0x11, L'X', IDM_EXIT},
        {0x11, L'C', IDM_COMPARE}, {0x11, L'V', IDM_SAVE}, {0x91, L'P', IDM_PRINT},
    };
    TemplateReader r(raw);
    for (const Entry& e : expected) {
        EXPECT_EQ(r.Word(), e.flags);   // FVIRTKEY | FALT, the last with the end mark 0x80
        EXPECT_EQ(r.Word(), e.key);
        EXPECT_EQ(r.Word(), e.command);
        r.Word();
    }
}

TEST(AppResources, EveryButtonsMnemonicIsItsAccelerator)
{
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[16];
    int count = CopyAcceleratorTableW(table, entries, 16);
    ASSERT_EQ(count, kCommandButtonCount);
    for (const CommandButton& b : kCommandButtons) {
        wchar_t letter = static_cast<wchar_t>(std::towupper(MnemonicOf(b.text)));
        int matches = 0;
        for (int i = 0; i < count; ++i)
            if (entries[i].key == letter && entries[i].cmd == b.commandId && entries[i].fVirt == (FVIRTKEY | FALT))
                ++matches;
        EXPECT_EQ(matches, 1) << b.commandId;
    }
    DestroyAcceleratorTable(table);
}

TEST(AppResources, DriveDialogTemplate)
{
    std::vector<uint8_t> raw = ResourceBytes(RT_DIALOG, IDD_DRIVE);
    ASSERT_FALSE(raw.empty());
    TemplateReader r(raw);
    EXPECT_EQ(r.Dword(), 0x90C800C4u);  // style
    EXPECT_EQ(r.Dword(), 0u);           // extended style
    uint16_t count = r.Word();
    ASSERT_EQ(count, 4);
    EXPECT_EQ(r.Short(), 6);
    EXPECT_EQ(r.Short(), 15);
    EXPECT_EQ(r.Short(), 149);
    EXPECT_EQ(r.Short(), 53);
    EXPECT_EQ(r.NameOrOrdinal(), L"");  // menu
    EXPECT_EQ(r.NameOrOrdinal(), L"");  // class
    EXPECT_EQ(r.String(), L"");         // caption
    EXPECT_EQ(r.Word(), 12);
    EXPECT_EQ(r.String(), L"System");
    const Item expected[] = {
        {1, L"#128", L"&Start scan", 100, 10, 44, 14, 0x50010001},
        {2, L"#128", L"&Cancel", 100, 30, 44, 12, 0x50010000},
        {1002, L"#133", L"", 24, 22, 34, 72, 0x50210003},
        {0xFFFF, L"#130", L"Drive to scan:", 20, 12, 60, 8, 0x50020000},
    };
    for (const Item& e : expected) {
        r.AlignDword();
        Item item{};
        item.style = r.Dword();
        EXPECT_EQ(r.Dword(), 0u);
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = r.Word();
        item.className = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        EXPECT_EQ(r.Word(), 0);  // no creation data
        EXPECT_EQ(item, e);
    }
}

TEST(AppResources, ProgressDialogTemplate)
{
    std::vector<uint8_t> raw = ResourceBytes(RT_DIALOG, IDD_PROGRESS);
    ASSERT_FALSE(raw.empty());
    TemplateReader r(raw);
    EXPECT_EQ(r.Word(), 1);        // extended template, version 1
    EXPECT_EQ(r.Word(), 0xFFFF);
    EXPECT_EQ(r.Dword(), 0u);      // help id
    EXPECT_EQ(r.Dword(), 0u);      // extended style
    EXPECT_EQ(r.Dword(), 0x908002C4u);
    ASSERT_EQ(r.Word(), 1);
    EXPECT_EQ(r.Short(), 10);
    EXPECT_EQ(r.Short(), 10);
    EXPECT_EQ(r.Short(), 159);
    EXPECT_EQ(r.Short(), 68);
    EXPECT_EQ(r.NameOrOrdinal(), L"");
    EXPECT_EQ(r.NameOrOrdinal(), L"");
    EXPECT_EQ(r.String(), L"");
    EXPECT_EQ(r.Word(), 8);         // points
    EXPECT_EQ(r.Word(), 700);       // weight
    uint16_t italicAndCharset = r.Word();
    EXPECT_EQ(italicAndCharset & 0xFF, 0);         // not italic
    EXPECT_EQ(italicAndCharset >> 8, 1);           // DEFAULT_CHARSET
    EXPECT_EQ(r.String(), L"MS Sans Serif");
    r.AlignDword();
    EXPECT_EQ(r.Dword(), 0u);  // help id
    EXPECT_EQ(r.Dword(), 0u);  // extended style
    Item item{};
    item.style = r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = static_cast<int>(r.Dword());
    item.className = r.NameOrOrdinal();
    item.text = r.NameOrOrdinal();
    EXPECT_EQ(item, (Item{2, L"#128", L"Abort", 55, 44, 50, 14, 0x50010000}));
}

TEST(AppResources, IconInBothSizes)
{
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDI_FERROW), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(AppResources, HandCursorPointsWithItsFingerTip)
{
    HCURSOR cursor = LoadCursorW(Module(), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    // The tip of the index finger: top row, a few pixels from the left.
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(AppResources, ProgramUsesItsIconAndHandCursor)
{
    RunningApp app;
    ASSERT_EQ(app.StartResult(), 1);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(app_fixture::MainWindowHandle(), GCLP_HICON)),
              LoadIconW(Module(), MAKEINTRESOURCEW(IDI_FERROW)));
    EXPECT_EQ(HandCursor(), LoadCursorW(Module(), MAKEINTRESOURCEW(IDC_HAND_CURSOR)));
    EXPECT_NE(HandCursor(), nullptr);
}

TEST(AppResources, ManifestRunsAsInvokerWithTheClassicControls)
{
    std::vector<uint8_t> raw = ResourceBytes(RT_MANIFEST, 1);
    ASSERT_FALSE(raw.empty());
    std::string text(raw.begin(), raw.end());
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    EXPECT_EQ(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

TEST(AppResources, VersionBlockNamesTheProgram)
{
    std::vector<uint8_t> raw = ResourceBytes(RT_VERSION, 1);
    ASSERT_FALSE(raw.empty());
    std::wstring text(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / 2);
    for (const wchar_t* value : {L"040904e4", L"Calculate CRC's of CD's, files and folders.",
                                 L"" FERROW_VERSION_TEXT, L"Ferrow.exe", L"Ferrow"})
        EXPECT_NE(text.find(value), std::wstring::npos) << std::string(value, value + wcslen(value));
}

// The four numbers of the version block's fixed part and of the manifest are
// those of the version text, missing ones 0 ("1.44" is 1.44.0.0).
TEST(AppResources, VersionNumbersFollowTheVersionText)
{
    std::string dotted = FERROW_VERSION_TEXT;
    for (auto dots = std::count(dotted.begin(), dotted.end(), '.'); dots < 3; ++dots)
        dotted += ".0";

    std::vector<uint8_t> raw = ResourceBytes(RT_VERSION, 1);
    const uint32_t signature = 0xFEEF04BD;
    auto fixed = std::search(raw.begin(), raw.end(), reinterpret_cast<const uint8_t*>(&signature),
                             reinterpret_cast<const uint8_t*>(&signature) + 4);
    ASSERT_LE(fixed + sizeof(VS_FIXEDFILEINFO), raw.end());
    VS_FIXEDFILEINFO info;
    memcpy(&info, &*fixed, sizeof info);
    auto four = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    EXPECT_EQ(four(info.dwFileVersionMS, info.dwFileVersionLS), dotted);
    EXPECT_EQ(four(info.dwProductVersionMS, info.dwProductVersionLS), dotted);

    std::vector<uint8_t> manifest = ResourceBytes(RT_MANIFEST, 1);
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("name=\"Ferrow\" version=\"" + dotted + "\""), std::string::npos) << text;
}
