#include "support/memory_store.h"

#include <algorithm>
#include <cstring>

namespace {

class MemoryFile : public CrcFileSource {
public:
    MemoryFile(MemoryStore& store, const Bytes& bytes) : store(store), bytes(bytes) { ++store.openFiles; }
    ~MemoryFile() override { --store.openFiles; }

    size_t ReadStart(void* into, size_t wanted) override
    {
        const size_t got = std::min(wanted, bytes.size());
        std::memcpy(into, bytes.data(), got);
        return got;
    }
    bool Size(uint64_t& size) override
    {
        size = bytes.size();
        return !store.sizeUnknown;
    }
    bool ReadCrcs(uint64_t offset, uint32_t* into, uint32_t count) override
    {
        if (offset + uint64_t(count) * 4 > bytes.size())
            return false;
        for (uint32_t i = 0; i < count; ++i)
            into[i] = GetLittleEndian32(bytes, size_t(offset) + 4 * i);
        return true;
    }

private:
    MemoryStore& store;
    Bytes bytes;
};

}  // namespace

std::unique_ptr<CrcFileSource> MemoryStore::OpenForReading(const std::wstring& path)
{
    auto it = files.find(path);
    if (it == files.end())
        return nullptr;
    return std::make_unique<MemoryFile>(*this, it->second);
}

WriteOutcome MemoryStore::Write(const std::wstring& path, const void* header, uint32_t headerBytes,
                                const uint32_t* crcs, uint32_t count)
{
    if (refuseWrite != WriteOutcome::Written)
        return refuseWrite;
    Bytes bytes(static_cast<const uint8_t*>(header), static_cast<const uint8_t*>(header) + headerBytes);
    for (uint32_t i = 0; i < count; ++i) {
        bytes.resize(bytes.size() + 4);
        PutLittleEndian32(bytes, bytes.size() - 4, crcs[i]);
    }
    files[path] = bytes;
    return WriteOutcome::Written;
}
