#include "engine/Designations.h"

namespace varnholt {

namespace {

constexpr int TwoLetterDesignations = LettersAvailable * LettersAvailable;

// Advances low; when it passes 'Z' it starts again at 'A' and high moves on.
void AdvancePair(char& high, char& low) {
    AdvanceLetter(low);
    if (low > 'Z') {
        low = 'A';
        AdvanceLetter(high);
    }
}

} // namespace

void AdvanceLetter(char& letter) {
    ++letter;
    if (letter == 'I' || letter == 'O' || letter == 'Q' || letter == 'X')
        ++letter;
}

void StartMasterDesignations(DesignationLetters& letters, int masterCount) {
    letters.L0 = ' ';
    letters.L1 = 'A';
    letters.L2 = ' ';
    letters.L3 = ' ';
    letters.L4 = ' ';
    letters.MasterDesignation = "A";
    if (masterCount > LettersAvailable) {
        letters.L2 = 'A';
        letters.MasterDesignation = "AA";
    }
    // Beyond 484 masters two letters would run out of the alphabet; a third one keeps every
    // designation a plain, unique word.
    if (masterCount > TwoLetterDesignations) {
        letters.L0 = 'A';
        letters.MasterDesignation = "AAA";
    }
}

void AdvanceMasterDesignation(DesignationLetters& letters) {
    switch (letters.MasterDesignation.size()) {
    case 1:
        AdvanceLetter(letters.L1);
        letters.MasterDesignation = std::string(1, letters.L1);
        break;
    case 2:
        AdvancePair(letters.L1, letters.L2);
        letters.MasterDesignation = {letters.L1, letters.L2};
        break;
    default:
        AdvancePair(letters.L1, letters.L2);
        if (letters.L1 > 'Z') {
            letters.L1 = 'A';
            AdvanceLetter(letters.L0);
        }
        letters.MasterDesignation = {letters.L0, letters.L1, letters.L2};
        break;
    }
}

void StartSubDesignations(DesignationLetters& letters, int masterCount, int subMasterCount) {
    if (subMasterCount <= 0)
        return;
    if (masterCount > LettersAvailable) {
        letters.L3 = 'A';
        letters.SubDesignation = "A";
        if (subMasterCount > LettersAvailable) {
            letters.L4 = 'A';
            letters.SubDesignation = "AA";
        }
        return;
    }
    letters.L2 = 'A';
    letters.SubDesignation = "A";
    if (subMasterCount > LettersAvailable) {
        letters.L3 = 'A';
        letters.SubDesignation = "AA";
    }
}

void AdvanceSubDesignation(DesignationLetters& letters, int subMasterCount) {
    const bool manySubMasters = subMasterCount > LettersAvailable;
    if (letters.MasterDesignation.size() == 1) {
        if (!manySubMasters) {
            AdvanceLetter(letters.L2);
            letters.SubDesignation = std::string(1, letters.L2);
        } else {
            AdvancePair(letters.L2, letters.L3);
            letters.SubDesignation = {letters.L2, letters.L3};
        }
        return;
    }
    // A two-letter master keeps its own letters: its sub-masters count with L3 and, when they
    // are more than 22, with L4 as well.
    if (!manySubMasters) {
        AdvanceLetter(letters.L3);
        letters.SubDesignation = std::string(1, letters.L3);
    } else {
        AdvancePair(letters.L3, letters.L4);
        letters.SubDesignation = {letters.L3, letters.L4};
    }
}

} // namespace varnholt
