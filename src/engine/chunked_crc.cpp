#include "engine/chunked_crc.h"

#include "engine/crc32.h"

bool CrcInChunks(uint32_t& crc, const uint8_t* bytes, size_t size, ChunkHook& hook, size_t chunk)
{
    if (chunk == 0)
        chunk = kReadChunk;
    for (size_t done = 0; done < size;) {
        const size_t n = size - done < chunk ? size - done : chunk;
        crc = CrcAdvance(crc, bytes + done, n);
        done += n;
        if (!hook.BetweenChunks())
            return false;
    }
    return true;
}
