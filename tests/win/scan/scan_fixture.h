#pragma once
// What the tests of the checks build on: real folders with real files, a real
// CD-ROM drive letter over such a folder, shell drops, the Scan and Compare
// commands driven through the drive dialog, and an independent CRC oracle.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scan_test {

// The program's file CRC (reflected CRC-32, start 0, no final inversion),
// computed by zlib: crc32 started from 0xFFFFFFFF, result inverted.
uint32_t OracleCrc(const std::string& bytes);

// "CA6598D0": eight upper-case hexadecimal digits.
std::wstring Hex8(uint32_t value);

// "  Total files:  N  Total folders:  M", and with "  CRC for disk:  " and
// the eight digits of diskCrc.
std::wstring Totals(uint32_t files, uint32_t folders);
std::wstring Totals(uint32_t files, uint32_t folders, uint32_t diskCrc);

// A fresh folder below the temporary folder, removed with all it holds.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's full path, without a final separator.
    const std::wstring& Root() const { return root; }
    // Root, a separator and relative.
    std::wstring Path(const std::wstring& relative) const;

    // Files and folders at any depth and path length; a failure ends the test
    // (support/setup_check.h).
    void Write(const std::wstring& relative, const std::string& bytes) const;
    void MakeFolder(const std::wstring& relative) const;
    void Remove(const std::wstring& relative) const;
    void SetAttributes(const std::wstring& relative, DWORD attributes) const;

private:
    std::wstring root;
};

// A drive letter that the system reports as a CD-ROM drive (DRIVE_CDROM),
// showing a test folder: defined through Wine's mount manager, which links
// the letter in the prefix's dosdevices and records the type "cdrom" in
// HKLM\Software\Wine\Drives, as the drive configuration tool does.
class CdDrive {
public:
    CdDrive(wchar_t letter, const TestFolder& folder);
    // The drive over a Linux folder: a mounted disc image, a faulty disc.
    CdDrive(wchar_t letter, const std::string& unixPath);
    ~CdDrive();
    CdDrive(const CdDrive&) = delete;
    CdDrive& operator=(const CdDrive&) = delete;

    bool Defined() const { return defined; }
    wchar_t Letter() const { return letter; }
    // "R:\" and "R:\relative".
    std::wstring Root() const;
    std::wstring Path(const std::wstring& relative) const;

private:
    wchar_t letter;
    bool defined = false;
};

// What a scan of the folder's tree must find, worked out without the
// program: each file's path below root and its CRC (from zlib, over what
// ReadFile gives) in walk order, its files first in the order the directory
// search lists them, then its subfolders in that order (none whose name
// begins with a dot, none with the system attribute), and the folder count.
struct OracleFile {
    std::wstring path;   // below root, no leading separator
    uint32_t crc;
};
struct OracleScan {
    std::vector<OracleFile> files;
    uint32_t folders = 0;
    std::vector<uint32_t> Crcs() const;
    uint32_t DiskCrc() const;
};
OracleScan ScanOracle(const std::wstring& root);

// The names of a folder's files (not folders) in the order the directory
// search lists them.
std::vector<std::wstring> ListedFileNames(const std::wstring& folder);

// Drops the paths on the main window as the shell does (WM_DROPFILES with a
// DROPFILES block) and handles messages until the program is idle.
void DropOnMainWindow(const std::vector<std::wstring>& paths);
// The same drop block, posted to the main window from any thread.
void PostDrop(HWND mainWindow, const std::vector<std::wstring>& paths);

// Scan or Compare as a user does it: the command, then in the drive dialog the
// entry of the given drive and "&Start scan". False when the dialog did not
// show up. The dialog's caption must be "Scan new disk" or "Compare with".
bool ScanDrive(wchar_t letter);
bool CompareDrive(wchar_t letter);

// The lines of the result list after the first `from` ones.
std::vector<std::wstring> LinesFrom(size_t from);

} // namespace scan_test
