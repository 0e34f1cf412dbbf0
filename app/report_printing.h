// Printing a plain-text report the way a text editor prints: the report font
// at a reading size, the blank-aligned columns kept, long lines wrapped, as
// many pages as the text needs, margins, a running head with the product
// name and the report's title, and the page numbers at the foot.
#pragma once

#include <QString>

class QPrinter;

namespace hehun::ui {

// Point size of the report text on paper.
inline constexpr double kPrintedReportPointSize = 10.5;

// Prints `text` (lines separated by '\n') on `printer`, which may already
// carry the user's choice of printer, paper and file. Returns the number of
// pages printed, 0 when the printer could not be started.
int PrintReport(QPrinter& printer, const QString& title, const QString& text);

}  // namespace hehun::ui
