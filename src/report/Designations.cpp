#include "report/Designations.h"

namespace varnholt::report {

namespace {

constexpr int TwoLetterDesignations = LettersAvailable * LettersAvailable;

// Advances low; when it passes 'Z' it starts again at 'A' and high moves on.
void AdvancePair(char& high, char& low)
{
    AdvanceLetter(low);
    if (low > 'Z') {
        low = 'A';
        AdvanceLetter(high);
    }
}

} // namespace

void AdvanceLetter(char& letter)
{
    ++letter;
    if (letter == 'I' || letter == 'O' || letter == 'Q' || letter == 'X')
        ++letter;
}

void StartMasterDesignations(ReportState& report, int masterCount)
{
    report.L0 = ' ';
    report.L1 = 'A';
    report.L2 = ' ';
    report.L3 = ' ';
    report.L4 = ' ';
    report.MasterDesignation = "A";
    if (masterCount > LettersAvailable) {
        report.L2 = 'A';
        report.MasterDesignation = "AA";
    }
    // Beyond 484 masters two letters would run out of the alphabet; a third one keeps every
    // designation a plain, unique word.
    if (masterCount > TwoLetterDesignations) {
        report.L0 = 'A';
        report.MasterDesignation = "AAA";
    }
}

void AdvanceMasterDesignation(ReportState& report)
{
    switch (report.MasterDesignation.size()) {
    case 1:
        AdvanceLetter(report.L1);
        report.MasterDesignation = std::string(1, report.L1);
        break;
    case 2:
        AdvancePair(report.L1, report.L2);
        report.MasterDesignation = {report.L1, report.L2};
        break;
    default:
        AdvancePair(report.L1, report.L2);
        if (report.L1 > 'Z') {
            report.L1 = 'A';
            AdvanceLetter(report.L0);
        }
        report.MasterDesignation = {report.L0, report.L1, report.L2};
        break;
    }
}

void StartSubDesignations(ReportState& report, int masterCount, int subMasterCount)
{
    if (subMasterCount <= 0)
        return;
    if (masterCount > LettersAvailable) {
        report.L3 = 'A';
        report.SubDesignation = "A";
        if (subMasterCount > LettersAvailable) {
            report.L4 = 'A';
            report.SubDesignation = "AA";
        }
        return;
    }
    report.L2 = 'A';
    report.SubDesignation = "A";
    if (subMasterCount > LettersAvailable) {
        report.L3 = 'A';
        report.SubDesignation = "AA";
    }
}

void AdvanceSubDesignation(ReportState& report, int subMasterCount)
{
    const bool manySubMasters = subMasterCount > LettersAvailable;
    if (report.MasterDesignation.size() == 1) {
        if (!manySubMasters) {
            AdvanceLetter(report.L2);
            report.SubDesignation = std::string(1, report.L2);
        } else {
            AdvancePair(report.L2, report.L3);
            report.SubDesignation = {report.L2, report.L3};
        }
        return;
    }
    // A two-letter master keeps its own letters: its sub-masters count with L3 and, when they
    // are more than 22, with L4 as well.
    if (!manySubMasters) {
        AdvanceLetter(report.L3);
        report.SubDesignation = std::string(1, report.L3);
    } else {
        AdvancePair(report.L3, report.L4);
        report.SubDesignation = {report.L3, report.L4};
    }
}

} // namespace varnholt::report
