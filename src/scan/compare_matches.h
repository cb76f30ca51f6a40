#pragma once
// Which entry of the list held each file of a compared disk stands for. The
// list holds no names, only each file's CRC in the order the disk was
// walked when it was scanned; a copy of the disk may list its files in
// another order, or hold a file more or fewer. So a file is matched with the
// entry at its own position first, and a file whose CRC differs from that
// entry with any entry no file has matched that has its CRC: it is intact,
// only its place differs. Each entry matches one file at most; equal CRCs
// (empty files) count as often as they occur.
//
// Position has the first claim on every entry: a file that only matches by
// content waits until the walk is over, so that it never takes the entry of
// an intact file met later in its own place.
#include <cstdint>
#include <string>
#include <vector>

class CompareMatches {
public:
    // entries: the list held, of count CRCs; it must outlive this object.
    CompareMatches(const uint32_t* entries, uint32_t count);

    enum class Met {
        InPlace,    // the entry at the file's position has its CRC
        Waiting,    // another entry has its CRC: settled when the walk is over
        Changed,    // no entry has its CRC: the file is bad, whatever comes later
    };
    // The file at position, read with this CRC. A waiting file's path is
    // kept for its line after the walk.
    Met Place(uint32_t position, uint32_t crc, const std::wstring& path);

    // The end of the walk: the waiting files take the entries left with
    // their CRCs, in the order they were met.
    struct Settled {
        uint32_t moved = 0;              // files matched by content, at another position
        std::vector<std::wstring> bad;   // waiting files that found no entry left, in walk order
        uint32_t unmatchedEntries = 0;   // entries no file matched
    };
    Settled Settle();


private:
    bool OccursInList(uint32_t crc);

    const uint32_t* entries;
    uint32_t count;
    std::vector<bool> matched;        // per entry, once any file met it by position
    uint32_t matchedCount = 0;
    // Every entry's CRC in an open-addressing table (a power of two of
    // slots, at least twice the entries), made when a file first misses
    // its position.
    std::vector<uint32_t> table;
    std::vector<bool> tableUsed;
    // The files that wait: their CRCs, their folders (one copy of each
    // folder for the files of it that wait one after the other), and their
    // names one after the other.
    std::vector<uint32_t> waitingCrcs;
    std::vector<uint32_t> waitingFolder;
    std::vector<uint32_t> waitingNameEnds;
    std::vector<std::wstring> folders;
    std::wstring waitingNames;
};
