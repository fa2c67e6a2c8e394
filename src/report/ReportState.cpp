#include "report/ReportState.h"

#include <stdexcept>

namespace varnholt::report {

void ReportState::AddEntry(std::string_view text) {
    // Entries fill the table from the front; the scan only steps over what is already taken.
    while (nextFreeEntry <= EntryTableSize && !EntryTable[static_cast<std::size_t>(nextFreeEntry)].empty())
        ++nextFreeEntry;
    if (nextFreeEntry > EntryTableSize)
        throw std::length_error("the report's entry table is full");
    EntryTable[static_cast<std::size_t>(nextFreeEntry)] = text.substr(0, EntryLength);
    ++nextFreeEntry;
}

void ReportState::ClearEntries() {
    EntryTable.fill({});
    nextFreeEntry = 1;
}

} // namespace varnholt::report
