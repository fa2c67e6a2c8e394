#pragma once

#include "qt/reports/PdfOutput.h"

#include <filesystem>
#include <functional>

namespace varnholt::qtreports {

// Writes target so that it is either complete or as it was: write fills a fresh temporary file
// beside it, which then takes its place in one rename, keeping the mode of the file it replaces
// (through a symbolic link, the file the link points to). A failed or cancelled write leaves no
// temporary file behind. A target that is not a plain file is refused.
OutputResult WriteWhole(const std::filesystem::path& target,
                        const std::function<OutputResult(const std::filesystem::path& temporary)>& write);

} // namespace varnholt::qtreports