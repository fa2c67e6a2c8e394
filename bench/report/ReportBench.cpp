// The largest system the "Data Input" dialog allows: 7 chambers, depths 0..9 in steps of 1
// (6 columns), no masters and every one of the 6^7 = 279,936 change keys. Each benchmark runs
// the whole report and one output; peak memory is read from the process afterwards (run one
// benchmark per process with --benchmark_filter to see each output's own peak).

#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "definition/RequestBuilder.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerRecord.h"
#include "qt/reports/PdfOutput.h"
#include "report/TForm3.h"

#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

varnholt::GenerationState LargestSystem() {
    varnholt::manufacturers::ManufacturerRecord kessler;
    kessler.Name = "KESSLER";
    kessler.MinChambers = 3;
    kessler.ChamberChoices = 5;
    kessler.ShallowestCut = 0;
    kessler.DeepestCut = 9;
    kessler.StepIncrement = 1;
    varnholt::definition::SystemAnswers answers;
    answers.chambers = 7;
    answers.topMasterKey = "2461357";
    varnholt::GenerationState state;
    static_cast<varnholt::KeySystemRequest&>(state) =
        varnholt::definition::BuildRequest(kessler, answers).request;
    varnholt::ClearProgressionTable(state);
    varnholt::GenerateProgression(state);
    return state;
}

// Peak resident memory of this process in kilobytes, where the system tells it.
double PeakMemoryKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6));
    return 0.0;
}

// The system is generated once; the timed loops run the report and the output only.
varnholt::bands::Document RunReport() {
    static const varnholt::GenerationState state = LargestSystem();
    varnholt::report::TForm3 form;
    return form.StartReport(state);
}

void ReportToJson(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string json = varnholt::bands::ToJson(RunReport());
        bytes = json.size();
        benchmark::DoNotOptimize(json.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_kB"] = PeakMemoryKilobytes();
}

void ReportToText(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = varnholt::bands::ToText(RunReport());
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_kB"] = PeakMemoryKilobytes();
}

void ReportToPdf(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "varnholt-report-bench.pdf";
    std::size_t pages = 0;
    for (auto _ : state) {
        const varnholt::bands::Document document = RunReport();
        pages = document.pages.size();
        if (!varnholt::qtreports::WritePdf(document, file).succeeded)
            state.SkipWithError("the PDF could not be written");
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.counters["peak_kB"] = PeakMemoryKilobytes();
    std::filesystem::remove(file);
}

BENCHMARK(ReportToJson)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportToText)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
