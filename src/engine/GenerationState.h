#pragma once

#include <array>
#include <string>

namespace varnholt {

// Chambers are numbered 1..7 from the first chamber of the key; every per-chamber array keeps
// index 0 unused so that code reads the same as the chamber numbers it talks about.
inline constexpr int MaxChambers = 7;
// A progression row has room for 8 columns (1..8), although a generation uses at most 6.
inline constexpr int MaxProgressionColumns = 8;
inline constexpr int MaxUsedProgressionColumns = 6;

// One value per chamber, [1..7]; [0] is unused.
using ChamberValues = std::array<int, MaxChambers + 1>;
// One flag per chamber, [1..7]; [0] is unused.
using ChamberFlags = std::array<bool, MaxChambers + 1>;
// A key bitting array: [chamber 1..7][column 1..8], each cell empty, one digit or "-".
// Row 0 and column 0 are unused.
using ProgressionGrid = std::array<std::array<std::string, MaxProgressionColumns + 1>, MaxChambers + 1>;

// What the "Data Input" dialog asks for, copied from the chosen manufacturer and the user's entries.
struct KeySystemRequest {
    std::string MfgName;           // at most 40 characters, as printed (control characters blank)
    int Chambers = 0;              // 3..7
    int ShallowestCut = 0;         // 0 or 1
    int DeepestCut = 0;            // 5..10
    int MaxAdjacentCut = 0;        // 3..9; the dialog stores 20 when the manufacturer has none
    int StepIncrement = 0;         // 1..4
    int ControlFactor = 0;         // 1..30
    int StackTotal = 0;            // 6..30
    bool IsICore = false;          // interchangeable core: control key, chambers, factor and stack apply
    bool ZeroIsTen = false;        // DeepestCut is 10, and depth 10 is written "0"
    std::string ControlChambers;   // 7 characters, 'Y' marks a control chamber (chamber 1 first)
    std::string TopMasterKey;      // up to 8 digits, only the first Chambers are used
    std::string ControlKey;        // up to 8 digits (interchangeable core only)
    int MasterCount = 0;           // masters under the top master, 0 = none
    int SubMasterCount = 0;        // sub-masters under each master, 0 = none
    int ChangeKeyCount = 0;        // change keys required under each key of the lowest master level
    int MasterChamberCount = 0;    // chambers that progress to tell masters apart
    int SubMasterChamberCount = 0; // chambers that progress to tell sub-masters apart
    std::string ChamberRoles;      // one letter per chamber: 'M', 'S' or 'R' (up to 8 characters)

    bool operator==(const KeySystemRequest&) const = default;
};

// The one object that the dialog, the generation and the pinning share: the request, the tables
// the generation fills and the working values of the cylinder being pinned. The application owns it and
// passes it by reference; nothing of it is global.
struct GenerationState : KeySystemRequest {
    // Generation tables.
    int ProgressionSteps = 0;           // columns of ProgressionTable in use (at most 6 after a generation)
    ProgressionGrid ProgressionTable{}; // the key bitting array
    ChamberValues TmkCuts{};            // digits of TopMasterKey as numbers
    ChamberValues ControlCuts{};        // digits of ControlKey as numbers (interchangeable core)

    // The pinning's working values.
    ChamberValues KeyCuts{}; // depths of the key being handled
    char KeyMark = ' ';      // ' ' usable, '*' control-key clash or adjacent cut too large

    // Pin texts of one cylinder, one 3-character piece per chamber (at most 21 characters).
    std::string BottomPinsText;
    std::string MasterPinsText;
    std::string ControlPinsText;
    std::string TopPinsText;
};

} // namespace varnholt
