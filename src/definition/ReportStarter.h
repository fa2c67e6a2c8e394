#pragma once

namespace varnholt::definition {

// What the "Data Input" dialog calls once the progression is generated: the report takes over
// from there. The application wires the real report in.
class ReportStarter {
public:
    virtual ~ReportStarter() = default;
    virtual void StartReport() = 0;
};

} // namespace varnholt::definition
