#include "datafile/system_crc_file_store.h"

#include "datafile/replacing_file_writer.h"
#include "engine/long_path.h"

#include <windows.h>

namespace {

class SystemCrcFile : public CrcFileSource {
public:
    explicit SystemCrcFile(HANDLE file) : file(file) {}
    ~SystemCrcFile() override { CloseHandle(file); }
    SystemCrcFile(const SystemCrcFile&) = delete;
    SystemCrcFile& operator=(const SystemCrcFile&) = delete;

    size_t ReadStart(void* into, size_t wanted) override
    {
        DWORD got = 0;
        if (!ReadFile(file, into, DWORD(wanted), &got, nullptr))
            got = 0;
        return got;
    }

    bool Size(uint64_t& size) override
    {
        LARGE_INTEGER bytes = {};
        if (!GetFileSizeEx(file, &bytes))
            return false;
        size = uint64_t(bytes.QuadPart);
        return true;
    }

    bool ReadCrcs(uint64_t offset, uint32_t* into, uint32_t count) override
    {
        LARGE_INTEGER position = {};
        position.QuadPart = LONGLONG(offset);
        // A count the file may announce fits one call: see kMaxCrcFileCount.
        const DWORD wanted = count * 4;
        DWORD got = 0;
        return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
               ReadFile(file, into, wanted, &got, nullptr) && got == wanted;
    }

private:
    HANDLE file;
};

}  // namespace

std::unique_ptr<CrcFileSource> SystemCrcFileStore::OpenForReading(const std::wstring& path)
{
    HANDLE file = CreateFileW(FileSystemPath(path.c_str()).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<SystemCrcFile>(file);
}

WriteOutcome SystemCrcFileStore::Write(const std::wstring& path, const void* header,
                                       uint32_t headerBytes, const uint32_t* crcs, uint32_t count)
{
    ReplacingFileWriter writer(path);
    if (!writer.Open())
        return WriteOutcome::CantOpen;
    if (writer.Write(header, headerBytes) && writer.Write(crcs, count * 4) && writer.Commit())
        return WriteOutcome::Written;
    return writer.TargetRefused() ? WriteOutcome::CantOpen : WriteOutcome::CantWrite;
}
