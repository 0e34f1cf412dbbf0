// The 命盘 views over the result area: one person's chart (grid and luck
// strip), a couple's two charts side by side under the six verdict badges,
// both able to paint themselves as one picture for the printer and for
// export; and the two tabs 命盘 / 报告全文 that put them over a result area.
#pragma once

#include <QSizeF>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/chart/chart_painting.h"
#include "bazi/chart_view.h"
#include "reports/marriage_report.h"

class QLabel;
class QPainter;
class QPlainTextEdit;
class QTabWidget;

namespace hehun::ui {

class LuckStrip;

// Something that paints as a picture of PictureSize() logical pixels.
class ChartPicture {
 public:
  virtual ~ChartPicture() = default;
  virtual bool HasPicture() const = 0;
  virtual QSizeF PictureSize() const = 0;
  virtual void PaintPicture(QPainter& painter) const = 0;
};

// The painted grid of one chart, with its hover tips.
class ChartGrid : public QWidget {
  Q_OBJECT
 public:
  ChartGrid(QWidget* parent, bool compact);
  void SetChart(const std::optional<ChartView>& view);
  // The tip at a point of the widget, empty where none.
  QString TipAt(const QPointF& point) const;

 protected:
  void paintEvent(QPaintEvent*) override;
  bool event(QEvent* e) override;

 private:
  std::optional<ChartView> view_;
  std::vector<ChartTip> tips_;
  bool compact_;
};

// One person's chart: grid over the luck strip.
class ChartPanel : public QWidget, public ChartPicture {
  Q_OBJECT
 public:
  ChartPanel(QWidget* parent, const QString& prefix = QString(), bool compact = false);
  void SetChart(const std::optional<ChartView>& view);
  const std::optional<ChartView>& Chart() const { return view_; }
  LuckStrip* Strip() const { return strip_; }

  bool HasPicture() const override { return view_.has_value(); }
  QSizeF PictureSize() const override;
  void PaintPicture(QPainter& painter) const override;
  // Paints the chart into a box `width` wide at the top left; returns the height used.
  double PaintInto(QPainter& painter, const QPointF& at, double width) const;

 private:
  std::optional<ChartView> view_;
  ChartGrid* grid_;
  LuckStrip* strip_;
  QLabel* empty_;
  bool compact_;
};

// The couple: six verdict badges over the man's and the woman's charts.
class CoupleChartPanel : public QWidget, public ChartPicture {
  Q_OBJECT
 public:
  explicit CoupleChartPanel(QWidget* parent);
  void SetResult(const ReportResult& result);
  ChartPanel* Man() const { return man_; }
  ChartPanel* Woman() const { return woman_; }

  bool HasPicture() const override { return man_->HasPicture() || woman_->HasPicture(); }
  QSizeF PictureSize() const override;
  void PaintPicture(QPainter& painter) const override;

 private:
  std::vector<MarriageVerdict> verdicts_;
  std::vector<QLabel*> badges_;
  ChartPanel* man_;
  ChartPanel* woman_;
};

// Puts a QTabWidget (object name `objectName`) where `memo` lies, with the
// tabs 命盘 (`chart`, a ChartPanel or CoupleChartPanel) and 报告全文
// (`memo`), and remembers the chart as the picture of that result area for
// saving and printing.
QTabWidget* WrapInResultTabs(QPlainTextEdit* memo, QWidget* chart, const char* objectName);
// The chart picture remembered for a result area, or null.
ChartPicture* ChartPictureOf(const QPlainTextEdit* memo);

// The picture with the product name and the day it was made over it, fitted into `page`.
void PaintChartPage(QPainter& painter, const QRectF& page, const ChartPicture& picture);
// Writes the picture as PNG or PDF by the suffix of `path`; false with `error` set otherwise.
bool ExportChartPicture(const ChartPicture& picture, const QString& path, QString* error);
// True for a path the chart is exported to (.png or .pdf).
bool IsChartPicturePath(const QString& path);

}  // namespace hehun::ui
