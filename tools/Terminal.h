#pragma once

namespace varnholt::tools {

// Whether standard output is an interactive terminal (where a PDF would only garble the screen).
bool StandardOutputIsTerminal();

} // namespace varnholt::tools
