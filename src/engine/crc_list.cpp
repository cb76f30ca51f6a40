#include "engine/crc_list.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

class CHeap final : public CrcStorage {
public:
    void* AllocateZeroed(size_t bytes) override { return std::calloc(bytes, 1); }
    void* Resize(void* block, size_t bytes) override { return std::realloc(block, bytes); }
    void Free(void* block) override { std::free(block); }
};

// Byte size of count CRCs, or 0 when it is not a positive size_t.
size_t ByteSize(int64_t count)
{
    if (count <= 0)
        return 0;
    const int64_t bytes = count * int64_t(sizeof(uint32_t));   // below 2^33: no overflow
    if (static_cast<uint64_t>(bytes) > std::numeric_limits<size_t>::max())
        return 0;
    return static_cast<size_t>(bytes);
}

} // namespace

CrcStorage& CHeapStorage()
{
    static CHeap heap;
    return heap;
}

CrcList::CrcList(CrcStorage& storage) : storage(storage)
{
}

CrcList::~CrcList()
{
    Release();
}

uint32_t* CrcList::Allocate(int32_t newCapacity, int32_t newGrowStep)
{
    growStep = newGrowStep;
    Release();
    const size_t bytes = ByteSize(newCapacity);
    data = bytes ? static_cast<uint32_t*>(storage.AllocateZeroed(bytes)) : nullptr;
    capacity = data ? newCapacity : 0;
    return data;
}

uint32_t* CrcList::Grow()
{
    const int64_t newCapacity = int64_t(capacity) + growStep;
    if (!data || growStep <= 0 || newCapacity > std::numeric_limits<int32_t>::max())
        return data;
    const size_t oldBytes = ByteSize(capacity);
    const size_t newBytes = ByteSize(newCapacity);
    if (!newBytes)
        return data;
    auto* grown = static_cast<uint32_t*>(storage.Resize(data, newBytes));
    if (!grown)
        return data;
    std::memset(reinterpret_cast<char*>(grown) + oldBytes, 0, newBytes - oldBytes);
    data = grown;
    capacity = static_cast<int32_t>(newCapacity);
    return data;
}

bool CrcList::KeepRoomAfter(int32_t count)
{
    if (count < capacity)
        return true;
    Grow();
    return count < capacity;
}

void CrcList::Release()
{
    if (data)
        storage.Free(data);
    data = nullptr;
    capacity = 0;
}

void CrcList::TakeOver(CrcList& other)
{
    if (&other == this || &other.storage != &storage)
        return;
    Release();
    capacity = other.capacity;
    growStep = other.growStep;
    data = other.data;
    other.data = nullptr;
    other.capacity = 0;
}
