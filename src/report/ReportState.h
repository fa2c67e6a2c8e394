#pragma once

#include "engine/Designations.h"
#include "engine/GenerationState.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::report {

// Entries waiting to be laid out as lines, [1..344]; [0] is unused.
inline constexpr int EntryTableSize = 344;
// Sub-master chamber positions 1..5, [0] unused.
inline constexpr int SubPositions = 5;

using SubValues = std::array<int, SubPositions + 1>;
// One role letter per chamber position, [1..7]; ' ' where no chamber is.
using RoleLetters = std::array<char, MaxChambers + 1>;

// The sub-data bands that enumerate the key system, outermost first; each keeps a record counter.
enum class EnumerationBand {
    Master6,
    Master5,
    Master4,
    Master3,
    Master2,
    Master1,
    Sub5,
    Sub4,
    Sub3,
    Sub2,
    Sub1,
    Rot7,
    Rot6,
    Rot5,
    Rot4,
    Rot3,
    Rot2,
    Rot1,
    Count
};

// The state the report's band handlers share while one report runs: pass and page flags, the
// entries waiting to be printed and the odometer of master, sub-master and change-key positions.
// One object per report form; it is reset at the start of every run so that no run sees what
// an earlier one left.
struct ReportState : DesignationLetters {
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

    std::array<std::string, EntryTableSize + 1> EntryTable{};
    int EntryCount = 0;       // master-pass entries written
    int ChangeEntryCount = 0; // change-key entries written

    int MastersDone = 0;
    int SubsDone = 0;
    int ChangeKeysDone = 0;
    int ChangeKeyNumber = 0;
    int BaseValue = 0; // positional values of the current master and sub-master chambers

    std::vector<std::string> ReportLines;

    // Chamber positions, in the sorted order of the pass (not key order).
    RoleLetters RoleText{};  // master-pass order
    RoleLetters RoleText2{}; // change-key-pass order
    ChamberValues PlaceValue{};
    ChamberValues PlaceValue2{};
    ChamberValues StepCount{};  // records of each master band
    SubValues SubStepCount{};   // records of each sub-master band
    ChamberValues StepCount2{}; // records of each rotation band
    ChamberValues MasterColumns{};
    SubValues SubColumns{};
    ChamberValues RotColumns{};
    SubValues SubColumnsStart{};
    ChamberFlags UsableFlags{};
    ChamberFlags UsableFlags2{};
    ProgressionGrid ProgressionTable2{};
    ChamberValues MasterValue{};
    ChamberValues RotValue{};
    ChamberValues SavedMasterValue{};
    SubValues SavedSubValue{};
    std::array<int, static_cast<std::size_t>(EnumerationBand::Count)> BandCounter{};

    // Masters and sub-masters the progression can really form this pass: the enumeration ends
    // there even when more were asked for, rather than listing a key twice.
    int MasterLimit = 0;
    int SubMasterLimit = 0;

    int& Counter(EnumerationBand band) { return BandCounter[static_cast<std::size_t>(band)]; }

    const std::string& Entry(int number) const { return EntryTable[static_cast<std::size_t>(number)]; }
    bool FirstEntryEmpty() const { return EntryTable[1].empty(); }
    // Stores text in the first free entry; nothing is written past the table.
    void AddEntry(std::string_view text);
    // Frees every entry.
    void ClearEntries();

private:
    int nextFreeEntry = 1;
};

} // namespace varnholt::report
