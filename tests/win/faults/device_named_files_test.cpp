// Files whose names Windows would read as a device or trim ("nul",
// "com1.txt", "CON", "trail.") exist on Linux discs: the file check must
// read the file of that name, not a device and not another file.
#include "fault_test.h"
#include "unix_side.h"

#include "../scan/scan_fixture.h"
#include "support/app_fixture.h"
#include "engine/crc32.h"
#include "engine/mapped_file.h"

#include <gtest/gtest.h>

using DeviceNamedFiles = FaultTest;

TEST_F(DeviceNamedFiles, AreReadAsTheFilesTheyAre)
{
    TestFolder folder;
    const std::vector<std::wstring> names = {L"nul", L"NUL.crc", L"com1.txt", L"AUX", L"CON",
                                             L"conin$", L"LPT1", L"PRN", L"trail.", L"trail ",
                                             L"dots..."};
    std::string script =
        "import os\nroot = " + unix_side::PyBytes(unix_side::UnixPath(folder.Root())) + "\n";
    for (const auto& name : names) {
        const std::string narrow(name.begin(), name.end());
        script += "open(os.path.join(root, b'" + narrow + "'), 'wb').write(b'the file " + narrow +
                  "')\n";
    }
    ASSERT_EQ("ok", unix_side::RunPython(script));

    for (const auto& name : names) {
        const std::string narrow(name.begin(), name.end());
        SCOPED_TRACE(narrow);
        const FileChecksum read = mappedFile.Checksum(folder.Path(name).c_str());
        EXPECT_EQ(read.status, FileRead::Read);
        EXPECT_EQ(Hex8(read.crc),
                  Hex8(OracleCrc("the file " + narrow)));
    }
}

TEST_F(DeviceNamedFiles, DroppedFoldersAndFilesEndingInADotOrASpaceAreThemselves)
{
    // Each has a namesake without the dot or space, which Windows' usual
    // path rules would reach instead.
    TestFolder folder;
    unix_side::EmptiedAtEnd removal(folder.Root());
    ASSERT_EQ("ok", unix_side::RunPython(
                        "import os\nroot = " + unix_side::PyBytes(unix_side::UnixPath(folder.Root())) +
                        "\nfor name in (b'trail.', b'trail', b'space ', b'space'):\n"
                        "    os.mkdir(os.path.join(root, name))\n"
                        "    open(os.path.join(root, name, b'in'), 'wb').write(b'inside ' + name)\n"
                        "    open(os.path.join(root, name + b'.txt.'), 'wb').write(b'file ' + name)\n"));
    RunningApp app;
    const std::wstring dot = folder.Path(L"trail."), space = folder.Path(L"space ");
    scan_test::DropOnMainWindow({dot, space, dot + L".txt.", space + L".txt."});
    EXPECT_EQ((std::vector<std::wstring>{Hex8(OracleCrc("inside trail.")) + L"\t" + dot,
                                         Hex8(OracleCrc("inside space ")) + L"\t" + space,
                                         Hex8(OracleCrc("file trail.")) + L"\t" + dot + L".txt.",
                                         Hex8(OracleCrc("file space ")) + L"\t" + space + L".txt."}),
              app_fixture::ListLines());
}
