#pragma once

#include <string>

// Master and sub-master designations: letters 'A' to 'Z' without 'I', 'O', 'Q' and 'X', one letter
// while 22 are enough, then two ("AA", "AB", ... "AZ", "BA", ...).
namespace varnholt {

inline constexpr int LettersAvailable = 22;

// The letters a designation is counted in and the designations they spell. L1 (and L2 for
// two-letter masters) name the master; L2 or L3 the sub-master. L4 is the second sub-master
// letter that two-letter masters need when they have more than 22 sub-masters, so that the
// sub-masters never borrow the master's letters. L0 leads the master designation only when
// there are more masters than two letters name.
struct DesignationLetters {
    char L0 = ' ';
    char L1 = ' ';
    char L2 = ' ';
    char L3 = ' ';
    char L4 = ' ';
    std::string MasterDesignation;
    std::string SubDesignation;
};

// Moves a designation letter on, over the letters that read like digits or a cross.
void AdvanceLetter(char& letter);

// The first master's designation for a system of masterCount masters.
void StartMasterDesignations(DesignationLetters& letters, int masterCount);
void AdvanceMasterDesignation(DesignationLetters& letters);

// The first sub-master's designation under every master.
void StartSubDesignations(DesignationLetters& letters, int masterCount, int subMasterCount);
void AdvanceSubDesignation(DesignationLetters& letters, int subMasterCount);

} // namespace varnholt
