#pragma once
#include <cstddef>
#include <cstdint>

// Where CrcList gets its storage from. Both calls return null on failure;
// Resize then leaves the old block as it was (the realloc contract).
class CrcStorage {
public:
    virtual void* AllocateZeroed(size_t bytes) = 0;
    virtual void* Resize(void* block, size_t bytes) = 0;
    virtual void Free(void* block) = 0;

protected:
    ~CrcStorage() = default;
};

// The C heap (calloc, realloc, free).
CrcStorage& CHeapStorage();

// Storage of a CRC list as the checks and Load allocate it: room for 10000
// CRCs, growing by 10000 whenever it is full.
constexpr int32_t kCrcListCapacity = 10000;
constexpr int32_t kCrcListGrowStep = 10000;

// The growable array of 32-bit file CRCs in the order they were computed.
// It does not know how many elements are in use: callers keep that count
// below capacity, through KeepRoomAfter after each append.
// Storage is zero-filled when allocated and when grown.
class CrcList {
public:
    explicit CrcList(CrcStorage& storage = CHeapStorage());
    ~CrcList();
    CrcList(const CrcList&) = delete;
    CrcList& operator=(const CrcList&) = delete;

    // Drops any storage held and allocates room for capacity zeroed CRCs.
    // Returns the storage, or null with capacity 0 when it cannot be had.
    uint32_t* Allocate(int32_t capacity, int32_t growStep = kCrcListGrowStep);
    // Adds growStep zeroed elements, keeping the contents; the block may move.
    // On failure nothing changes and the old pointer comes back, so the caller
    // sees capacity still equal to its count.
    uint32_t* Grow();
    // After an append that brought the caller's count to `count`: grows the
    // list when the count has reached its capacity, so that the next append
    // has room. False when it is full and cannot grow.
    bool KeepRoomAfter(int32_t count);
    uint32_t* Data() { return data; }
    const uint32_t* Data() const { return data; }
    int32_t Capacity() const { return capacity; }
    int32_t GrowStep() const { return growStep; }
    // Frees the storage if any is held; later calls find nothing to free.
    void Release();
    // Frees this list's storage and takes over the other's, sizes and all;
    // the other is left with none. Both must draw on the same storage.
    void TakeOver(CrcList& other);

private:
    CrcStorage& storage;
    int32_t capacity = 0;
    int32_t growStep = 0;
    uint32_t* data = nullptr;
};
