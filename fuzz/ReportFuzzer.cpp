// A request the "Data Input" dialog accepts, drawn from the bytes, goes the whole road: the
// progression, the report's three passes and the finished document, then its text and JSON.
// The report must end, what it lists must be a sound key system (see CheckReport), and it must
// be exactly the key schedule; its pinning list has a cylinder for every key.

#include "FuzzedRequest.h"
#include "ReportChecks.h"

#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "report/TForm3.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<varnholt::GenerationState> state = varnholt::fuzz::DrawAcceptedRequest({data, size});
    if (!state)
        return -1; // refused or too large: not worth keeping in the corpus
    std::vector<varnholt::ScheduledKey> keys;
    varnholt::report::TForm3 form;
    form.SetKeyListener([&keys](const varnholt::ScheduledKey& key) { keys.push_back(key); });
    const varnholt::bands::Document document = form.StartReport(*state);
    varnholt::fuzz::CheckReport(*state, keys, document);
    varnholt::fuzz::CheckScheduleAgrees(*state, keys);
    varnholt::fuzz::CheckPinningList(*state);
    static_cast<void>(varnholt::bands::ToJson(document));
    static_cast<void>(varnholt::bands::ToText(document));
    return 0;
}
