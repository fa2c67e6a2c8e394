#pragma once

#include "engine/ScheduledKey.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::report {

// Entries waiting to be laid out as lines, [1..344]; [0] is unused.
inline constexpr int EntryTableSize = 344;
// An entry keeps at most this many bytes of its text.
inline constexpr std::size_t EntryLength = 30;

// The state the report's band handlers share while one report runs: pass and page flags and the
// entries waiting to be printed. It is reset at the start of every run so that no run sees what
// an earlier one left.
struct ReportState {
    // Passes and pages.
    int PassNumber = 0; // 1 masters and sub-masters, 2 change keys, 3 closing pass
    bool SecondPass = false;
    bool Finishing = false;      // run the loops out at once and print what is left
    bool NothingPending = false; // no entry waits to be printed
    bool PageFlushed = false;    // a page was handed to the output band and must be taken back
    bool PageFull = false;       // ReportLines holds a full page
    bool LinesBuilt = false;     // waiting entries were laid out since the last page
    bool PrintDone = false;      // the output band's end of data
    int LineCount = 0;           // lines added since the last printed page

    // Held in place rather than on the heap: the largest system passes 280,000 entries through.
    std::array<ShortText<EntryLength>, EntryTableSize + 1> EntryTable{};
    int EntryCount = 0;       // master-pass entries written
    int ChangeEntryCount = 0; // change-key entries written

    int SubsDone = 0;       // sub-masters listed under the master in hand
    int ChangeKeysDone = 0; // change keys listed under the lowest-level key in hand

    std::vector<std::string> ReportLines;

    std::string_view Entry(int number) const { return EntryTable[static_cast<std::size_t>(number)]; }
    bool FirstEntryEmpty() const { return EntryTable[1].empty(); }
    // Stores text in the first free entry; nothing is written past the table.
    void AddEntry(std::string_view text);
    // Frees every entry.
    void ClearEntries();

private:
    int nextFreeEntry = 1;
};

} // namespace varnholt::report
