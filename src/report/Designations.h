#pragma once

#include "report/ReportState.h"

// Master and sub-master designations: letters 'A' to 'Z' without 'I', 'O', 'Q' and 'X', one letter
// while 22 are enough, then two ("AA", "AB", ... "AZ", "BA", ...).
namespace varnholt::report {

inline constexpr int LettersAvailable = 22;

// Moves a designation letter on, over the letters that read like digits or a cross.
void AdvanceLetter(char& letter);

// The first master's designation for a system of masterCount masters.
void StartMasterDesignations(ReportState& report, int masterCount);
void AdvanceMasterDesignation(ReportState& report);

// The first sub-master's designation under every master.
void StartSubDesignations(ReportState& report, int masterCount, int subMasterCount);
void AdvanceSubDesignation(ReportState& report, int subMasterCount);

} // namespace varnholt::report
