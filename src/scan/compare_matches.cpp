#include "scan/compare_matches.h"

#include <algorithm>
#include <numeric>

namespace {

uint32_t SlotOf(uint32_t crc, size_t mask)
{
    // CRCs of real files are spread well, but a list of many empty or
    // equal files must not pile up in one place: mix the bits first.
    return uint32_t((crc * 0x9E3779B1u) & mask);
}

}  // namespace

CompareMatches::CompareMatches(const uint32_t* entries, uint32_t count)
    : entries(entries), count(count), matched(count, false)
{
}

CompareMatches::Met CompareMatches::Place(uint32_t position, uint32_t crc, const std::wstring& path)
{
    if (position < count && entries[position] == crc) {
        matched[position] = true;
        ++matchedCount;
        return Met::InPlace;
    }
    if (!OccursInList(crc))
        return Met::Changed;
    const size_t split = path.rfind(L'\\') + 1;   // 0 without a separator
    if (folders.empty() || folders.back().compare(0, std::wstring::npos, path, 0, split) != 0)
        folders.push_back(path.substr(0, split));
    waitingCrcs.push_back(crc);
    waitingFolder.push_back(uint32_t(folders.size() - 1));
    waitingNames.append(path, split, std::wstring::npos);
    waitingNameEnds.push_back(uint32_t(waitingNames.size()));
    return Met::Waiting;
}

bool CompareMatches::OccursInList(uint32_t crc)
{
    if (count == 0)
        return false;
    // A disk that matches in place never needs the table.
    if (table.empty()) {
        size_t slots = 16;
        while (slots < size_t(count) * 2)
            slots *= 2;
        table.assign(slots, 0);
        tableUsed.assign(slots, false);
        for (uint32_t i = 0; i < count; ++i) {
            size_t slot = SlotOf(entries[i], slots - 1);
            while (tableUsed[slot] && table[slot] != entries[i])
                slot = (slot + 1) & (slots - 1);
            table[slot] = entries[i];
            tableUsed[slot] = true;
        }
    }
    const size_t mask = table.size() - 1;
    for (size_t slot = SlotOf(crc, mask); tableUsed[slot]; slot = (slot + 1) & mask) {
        if (table[slot] == crc)
            return true;
    }
    return false;
}

CompareMatches::Settled CompareMatches::Settle()
{
    Settled settled;
    settled.unmatchedEntries = count - matchedCount;
    if (waitingCrcs.empty())
        return settled;

    // The CRCs of the entries left, and the waiting files by CRC (in walk
    // order among equal CRCs), both sorted: one pass gives each group of
    // equal CRCs to its first waiting files, as many as the group has.
    std::vector<uint32_t> left;
    left.reserve(settled.unmatchedEntries);
    for (uint32_t i = 0; i < count; ++i) {
        if (!matched[i])
            left.push_back(entries[i]);
    }
    std::sort(left.begin(), left.end());
    std::vector<uint32_t> order(waitingCrcs.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [this](uint32_t a, uint32_t b) { return waitingCrcs[a] < waitingCrcs[b]; });
    std::vector<bool> found(waitingCrcs.size(), false);
    size_t next = 0;
    for (uint32_t k : order) {
        const uint32_t crc = waitingCrcs[k];
        while (next < left.size() && left[next] < crc)
            ++next;
        if (next < left.size() && left[next] == crc) {
            found[k] = true;
            ++next;
            ++settled.moved;
        }
    }

    size_t nameStart = 0;
    for (size_t k = 0; k < waitingCrcs.size(); ++k) {
        if (!found[k])
            settled.bad.push_back(folders[waitingFolder[k]] +
                                  waitingNames.substr(nameStart, waitingNameEnds[k] - nameStart));
        nameStart = waitingNameEnds[k];
    }
    settled.unmatchedEntries -= settled.moved;
    return settled;
}
