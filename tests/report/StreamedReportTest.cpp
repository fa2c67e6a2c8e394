#include "ReportTestSystems.h"

#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "report/TForm3.h"

#include <gtest/gtest.h>

#include <sstream>

namespace varnholt::report::testing {
namespace {

// A report whose pages go out as they finish, as the batch command writes its JSON, gives what
// the whole document gives: the same JSON byte for byte, and the same pages for text and paper;
// text written page by page is the document's text.
TEST(StreamedReport, PagesHandedOverAsTheyFinishWriteWhatTheWholeDocumentWrites) {
    for (const GenerationState& state : AgreementSystems()) {
        TForm3 whole;
        const bands::Document document = whole.StartReport(state);

        TForm3 streamed;
        std::ostringstream json;
        bands::JsonPageWriter writer(json);
        std::vector<bands::DocumentPage> handedOver;
        streamed.TheReport2.SetPageSink([&](bands::DocumentPage&& page) {
            writer.WritePage(page);
            handedOver.push_back(std::move(page));
        });
        bands::Document rest = streamed.StartReport(state);
        writer.Finish();

        const std::string system = state.MfgName + " " + std::to_string(state.Chambers) + " chambers, top master " +
                                   state.TopMasterKey + ", " + std::to_string(state.MasterCount) + "/" +
                                   std::to_string(state.SubMasterCount) + "/" + std::to_string(state.ChangeKeyCount);
        EXPECT_TRUE(rest.pages.empty()) << system;
        ASSERT_EQ(json.str(), bands::ToJson(document)) << system;
        rest.pages = std::move(handedOver);
        const std::string text = bands::ToText(document);
        ASSERT_EQ(bands::ToText(rest), text) << system;
        std::ostringstream written;
        bands::WriteText(rest, written);
        ASSERT_EQ(written.str(), text) << system;
    }
}

} // namespace
} // namespace varnholt::report::testing
