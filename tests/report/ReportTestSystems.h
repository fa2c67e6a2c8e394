#pragma once

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <optional>
#include <string>
#include <vector>

namespace varnholt::report::testing {

// A key system as a user would define it in the "Data Input" dialog.
struct TestSystem {
    std::string manufacturer = "BRANDT";
    int chambers = 6;
    int shallowestCut = 0;
    int deepestCut = 9;
    int stepIncrement = 2;
    int maxAdjacentCut = 7;
    std::string topMasterKey = "246135";
    int masters = 0;
    int subMasters = 0;
    std::optional<int> changeKeys; // all that are available when not given
    bool isICore = false;
    std::string controlKey;
    std::string controlChambers = "NNNNNNN";
    int controlFactor = 0;
    int stackTotal = 0;
};

// The generation state after the dialog's OK: quantities planned as the dialog does, chamber
// roles built and the progression generated.
GenerationState MakeState(const TestSystem& system);

struct ReportRun {
    bands::Document document;
    std::vector<ScheduledKey> keys;
};

ReportRun RunReport(const GenerationState& state);

// The lines of the output label on every page that carries it, page by page.
std::vector<std::vector<std::string>> OutputPages(const bands::Document& document);

// Change-key entries read back from the output pages, in column order page by page.
std::vector<std::string> ChangeKeyEntries(const bands::Document& document);

// Systems whose report and key schedule must agree: those of the golden reports, the report
// fuzzer's corpus and a spread of requests drawn from fixed pseudo-random bytes the way the
// fuzzer draws them.
std::vector<GenerationState> AgreementSystems();

// Bittings of the change keys of one lowest-level key whose chambers other than the change-key
// chambers hold baseBitting, worked out independently from the progression table: every
// combination of the usable columns of the change-key chambers, without those that break the
// maximum adjacent cut or equal the control key.
std::vector<std::string> ExpectedChangeKeys(const GenerationState& state, const std::string& baseBitting);

} // namespace varnholt::report::testing
