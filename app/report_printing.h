// Printing a plain-text report the way a text editor prints: the report font
// at a reading size, the blank-aligned columns kept, long lines wrapped, as
// many pages as the text needs, margins, a running head with the product
// name and the report's title, and the page numbers at the foot.
#pragma once

#include <QRectF>
#include <QString>
#include <functional>

class QPainter;
class QPrinter;

namespace hehun::ui {

// Point size of the report text on paper.
inline constexpr double kPrintedReportPointSize = 10.5;

// Prints `text` (lines separated by '\n') on `printer`, which may already
// carry the user's choice of printer, paper and file. Returns the number of
// pages printed, 0 when the printer could not be started.
// With `firstPage`, a page painted by it (given the printable area) comes
// before the text and is counted.
int PrintReport(QPrinter& printer, const QString& title, const QString& text,
                const std::function<void(QPainter&, const QRectF&)>& firstPage = {});

}  // namespace hehun::ui
