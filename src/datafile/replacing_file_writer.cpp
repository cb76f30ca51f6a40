#include "datafile/replacing_file_writer.h"

#include "engine/long_path.h"

#include <cwchar>
#include <utility>

namespace {

// Another program (or another instance) may be saving next to us: a few
// names are tried before giving up.
constexpr int kNameAttempts = 32;

std::wstring TemporaryNameFor(const std::wstring& target, int attempt)
{
    wchar_t suffix[32];
    std::swprintf(suffix, 32, L".%04lx%02x.tmp", GetCurrentProcessId() & 0xFFFF, attempt);
    return target + suffix;
}

}  // namespace

ReplacingFileWriter::ReplacingFileWriter(std::wstring targetPath) : targetPath(std::move(targetPath))
{
}

ReplacingFileWriter::~ReplacingFileWriter()
{
    Discard();
}

bool ReplacingFileWriter::Open()
{
    Discard();
    // A read-only file may not be replaced. Windows refuses the final move
    // itself, but Wine moves over it, so the writer asks before it begins.
    const DWORD targetAttributes = GetFileAttributesW(FileSystemPath(targetPath).c_str());
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && !TargetWritable())
        return false;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::wstring name = TemporaryNameFor(targetPath, attempt);
        file = CreateFileW(FileSystemPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            temporaryPath = std::move(name);
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool ReplacingFileWriter::Write(const void* bytes, uint32_t count)
{
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

bool ReplacingFileWriter::Commit()
{
    targetRefused = false;
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    Close();
    if (flushed && MoveFileExW(FileSystemPath(temporaryPath).c_str(), FileSystemPath(targetPath).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporaryPath.clear();
        return true;
    }
    targetRefused = flushed;
    Discard();
    return false;
}

bool ReplacingFileWriter::TargetWritable() const
{
    // Opened for writing without sharing and closed again at once: this
    // fails while another program has the file open, which would otherwise
    // only show when the finished file is moved into its place.
    HANDLE target = CreateFileW(FileSystemPath(targetPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(target);
    return true;
}

void ReplacingFileWriter::Discard()
{
    Close();
    if (!temporaryPath.empty()) {
        DeleteFileW(FileSystemPath(temporaryPath).c_str());
        temporaryPath.clear();
    }
}

void ReplacingFileWriter::Close()
{
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }
}
