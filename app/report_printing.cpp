#include "app/report_printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "app/appearance.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

namespace {

// Page geometry in millimetres.
constexpr double kSideMargin = 20;
constexpr double kTopMargin = 15;
constexpr double kBottomMargin = 15;
constexpr double kHeadGap = 6;   // between the running head's rule and the text
constexpr double kFootGap = 6;   // between the text and the page number
constexpr double kLineSpacingFactor = 1.0;  // the CJK face already spaces its lines generously

QFont PointFont(QFont font, double points, bool bold = false) {
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// One printed line: a line of a laid-out report line.
struct PrintedLine {
  const QTextLayout* layout;
  int index;
};

class ReportPages {
 public:
  ReportPages(QPrinter& printer, const QString& title, const QString& text)
      : printer_(printer),
        title_(title),
        body_(PointFont(ReportFont(), kPrintedReportPointSize)),
        head_(PointFont(UiFont(), 8.5)),
        heading_(PointFont(UiFont(), 15, true)) {
    printer_.setFullPage(true);
    const double mm = printer_.resolution() / 25.4;
    const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
    const QFontMetricsF headMetrics(head_, &printer_);
    headTop_ = paper.top() + kTopMargin * mm;
    headRule_ = headTop_ + headMetrics.height() + 1.5 * mm;
    footBaseline_ = paper.bottom() - kBottomMargin * mm;
    text_ = QRectF(QPointF(paper.left() + kSideMargin * mm, headRule_ + kHeadGap * mm),
                   QPointF(paper.right() - kSideMargin * mm, footBaseline_ - headMetrics.height() - kFootGap * mm));
    lineHeight_ = QFontMetricsF(body_, &printer_).lineSpacing() * kLineSpacingFactor;
    headingHeight_ = QFontMetricsF(heading_, &printer_).lineSpacing() * 2;
    LayOut(text);
    Paginate();
  }

  int PageCount() const { return static_cast<int>(pageStarts_.size()); }

  bool Print(const std::function<void(QPainter&, const QRectF&)>& firstPage) {
    QPainter painter;
    if (!painter.begin(&printer_)) return false;
    if (firstPage) {
      // The chart page: the running head and page number of every page, the
      // picture in the text area.
      offset_ = 1;
      PaintFrame(painter, 0);
      firstPage(painter, text_);
      printer_.newPage();
    }
    for (int page = 0; page < PageCount(); ++page) {
      if (page > 0) printer_.newPage();
      PaintPage(painter, page);
    }
    painter.end();
    return true;
  }

 private:
  // Each report line is laid out on its own, wrapped at the text width;
  // an empty report line is one empty printed line.
  void LayOut(const QString& text) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      auto layout = std::make_unique<QTextLayout>(line, body_, &printer_);
      layout->setTextOption(option);
      layout->beginLayout();
      for (QTextLine l = layout->createLine(); l.isValid(); l = layout->createLine()) l.setLineWidth(text_.width());
      layout->endLayout();
      for (int i = 0; i < layout->lineCount(); ++i) lines_.push_back({layout.get(), i});
      layouts_.push_back(std::move(layout));
    }
    // The text of a memo ends without a line break; a trailing empty line
    // would only add an empty page.
    while (!lines_.empty() && lines_.back().layout->text().isEmpty()) lines_.pop_back();
  }

  double FirstLineTop(int page) const { return text_.top() + (page == 0 ? headingHeight_ : 0); }

  void Paginate() {
    pageStarts_.push_back(0);
    double y = FirstLineTop(0);
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (y + lineHeight_ > text_.bottom() + 0.5) {
        pageStarts_.push_back(i);
        y = FirstLineTop(PageCount() - 1);
      }
      y += lineHeight_;
    }
  }

  // Running head and page number of printed page `printed` (0 first).
  void PaintFrame(QPainter& painter, int printed) {
    const double mm = printer_.resolution() / 25.4;
    const QFontMetricsF headMetrics(head_, &printer_);
    painter.setPen(palette::kMutedInk);
    painter.setFont(head_);
    const QRectF headRow(text_.left(), headTop_, text_.width(), headMetrics.height());
    painter.drawText(headRow, Qt::AlignLeft | Qt::AlignVCenter, AppTitle());
    painter.drawText(headRow, Qt::AlignRight | Qt::AlignVCenter, title_);
    painter.setPen(QPen(palette::kMutedInk, 0.25 * mm));
    painter.drawLine(QPointF(text_.left(), headRule_), QPointF(text_.right(), headRule_));
    painter.setPen(palette::kMutedInk);
    painter.setFont(head_);
    const QString number = QStringLiteral("第 %1 页 / 共 %2 页").arg(printed + 1).arg(PageCount() + offset_);
    painter.drawText(QRectF(text_.left(), footBaseline_ - headMetrics.height(), text_.width(), headMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignBottom, number);
  }

  void PaintPage(QPainter& painter, int page) {
    const double mm = printer_.resolution() / 25.4;
    const QFontMetricsF headMetrics(head_, &printer_);
    painter.setPen(palette::kMutedInk);
    painter.setFont(head_);
    const QRectF headRow(text_.left(), headTop_, text_.width(), headMetrics.height());
    painter.drawText(headRow, Qt::AlignLeft | Qt::AlignVCenter, Shown(AppTitle()));
    painter.drawText(headRow, Qt::AlignRight | Qt::AlignVCenter, title_);
    painter.setPen(QPen(palette::kMutedInk, 0.25 * mm));
    painter.drawLine(QPointF(text_.left(), headRule_), QPointF(text_.right(), headRule_));

    painter.setPen(Qt::black);
    if (page == 0) {
      painter.setFont(heading_);
      painter.drawText(QRectF(text_.left(), text_.top(), text_.width(), headingHeight_),
                       Qt::AlignHCenter | Qt::AlignTop, title_);
    }
    const size_t end = page + 1 < PageCount() ? pageStarts_[page + 1] : lines_.size();
    double y = FirstLineTop(page);
    for (size_t i = pageStarts_[page]; i < end; ++i) {
      const QTextLine line = lines_[i].layout->lineAt(lines_[i].index);
      line.draw(&painter, QPointF(text_.left(), y - line.y()));
      y += lineHeight_;
    }

    painter.setPen(palette::kMutedInk);
    painter.setFont(head_);
    const QString number = QStringLiteral("第 %1 页 / 共 %2 页").arg(page + 1 + offset_).arg(PageCount() + offset_);
    painter.drawText(QRectF(text_.left(), footBaseline_ - headMetrics.height(), text_.width(), headMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignBottom, number);
  }

  QPrinter& printer_;
  int offset_ = 0;  // 1 when a chart page comes first
  QString title_;
  QFont body_, head_, heading_;
  double headTop_ = 0, headRule_ = 0, footBaseline_ = 0, lineHeight_ = 0, headingHeight_ = 0;
  QRectF text_;
  std::vector<std::unique_ptr<QTextLayout>> layouts_;
  std::vector<PrintedLine> lines_;
  std::vector<size_t> pageStarts_;
};

}  // namespace

int PrintReport(QPrinter& printer, const QString& title, const QString& text,
                const std::function<void(QPainter&, const QRectF&)>& firstPage) {
  ReportPages pages(printer, title, text);
  return pages.Print(firstPage) ? pages.PageCount() + (firstPage ? 1 : 0) : 0;
}

}  // namespace hehun::ui
