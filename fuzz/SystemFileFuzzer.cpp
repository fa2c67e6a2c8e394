// Any bytes as a system file: the reader refuses them with a reason or reads a system that
// writes back to a text it reads again as the same system, byte for byte on the second round.

#include "FuzzCheck.h"

#include "systems/JsonValue.h"
#include "systems/SystemFileFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto read = varnholt::systems::ReadSystemJson(text);
    if (const auto* problem = std::get_if<varnholt::systems::SystemFileProblem>(&read)) {
        FUZZ_CHECK(!problem->reason.empty());
        return 0;
    }
    const auto& system = std::get<varnholt::systems::SavedSystem>(read);
    const std::string written = varnholt::systems::WriteSystemJson(system);
    const auto reread = varnholt::systems::ReadSystemJson(written);
    FUZZ_CHECK(std::holds_alternative<varnholt::systems::SavedSystem>(reread));
    FUZZ_CHECK(std::get<varnholt::systems::SavedSystem>(reread) == system);
    FUZZ_CHECK(varnholt::systems::WriteSystemJson(std::get<varnholt::systems::SavedSystem>(reread)) ==
               written);
    // Whatever the reader takes is JSON that the parser takes too.
    varnholt::systems::ParseJson(written);
    return 0;
}
