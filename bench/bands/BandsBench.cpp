#include "SyntheticReport.h"

#include "bands/TextOutput.h"
#include "qt/reports/PageView.h"
#include "qt/reports/PdfOutput.h"
#include "qt/reports/PreviewWindow.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int Pages = 1400;

void ProtocolAndLayout(benchmark::State& state) {
    for (auto _ : state) {
        varnholt::benchbands::SyntheticReport report(Pages);
        varnholt::bands::Document document = report.Run();
        if (document.pages.size() != Pages) {
            state.SkipWithError("wrong page count");
        }
        benchmark::DoNotOptimize(document);
    }
}

void Pdf(benchmark::State& state) {
    varnholt::benchbands::SyntheticReport report(Pages);
    const varnholt::bands::Document document = report.Run();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "bands-bench.pdf";
    for (auto _ : state) {
        const varnholt::qtreports::OutputResult result = varnholt::qtreports::WritePdf(document, file);
        if (!result.succeeded) {
            state.SkipWithError(result.message.c_str());
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}

void PreviewFirstPage(benchmark::State& state) {
    varnholt::benchbands::SyntheticReport report(Pages);
    const varnholt::bands::Document document = report.Run();
    for (auto _ : state) {
        // The document is handed over as the report hands it: a copy is part of the cost.
        varnholt::qtreports::PreviewWindow window(document);
        window.show();
        window.View().viewport()->repaint();
        benchmark::DoNotOptimize(window.CurrentPage());
    }
}

} // namespace

BENCHMARK(ProtocolAndLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(Pdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PreviewFirstPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
