#pragma once

#include "bands/Document.h"
#include "qt/reports/PdfOutput.h"

#include <string>

class QPrinter;
class QWidget;

namespace varnholt::qtreports {

// Prints on an already set-up printer, the paper's corner as origin. Stopped by the progress,
// the job is aborted.
OutputResult PrintDocument(const bands::Document& document, QPrinter& printer,
                           const PageProgress& progress = {});

// Prints straight to the named print queue, for batch use. Fails with a message naming the
// queue when no such queue exists or the printer cannot start.
OutputResult PrintToQueue(const bands::Document& document, const std::string& queueName);

enum class DialogPrint { Printed, Cancelled, Failed };

// Shows the print dialog and prints to the printer the user chooses; a long report shows its
// progress and can be cancelled.
DialogPrint PrintWithDialog(const bands::Document& document, QWidget* parent, std::string& message);

} // namespace varnholt::qtreports