#include "app/chart/chart_panel.h"

#include <QDate>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/chart/luck_strip.h"
#include "app/ui_services.h"

namespace hehun::ui {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

constexpr const char* kPictureProperty = "hehunChartPicture";

QString BadgeStyle(int level) {
  const char* fill = level > 0 ? "#e8f3e8" : level < 0 ? "#f8e4e2" : "#f6eee2";
  const char* edge = level > 0 ? "#2e7d32" : level < 0 ? "#a31f22" : "#9a671c";
  return QStringLiteral("QLabel{background:%1;border:1px solid %2;border-radius:4px;padding:1px 4px;color:#332a24;}")
      .arg(QString::fromLatin1(fill), QString::fromLatin1(edge));
}

constexpr double kPictureWidth = 780;
constexpr double kBadgeHeight = 26;

}  // namespace

// --- ChartGrid --------------------------------------------------------------

ChartGrid::ChartGrid(QWidget* parent, bool compact) : QWidget(parent), compact_(compact) {
  setFixedHeight(static_cast<int>(ChartGridHeight(compact) + 2));
  setMouseTracking(true);
}

void ChartGrid::SetChart(const std::optional<ChartView>& view) {
  view_ = view;
  tips_.clear();
  update();
}

QString ChartGrid::TipAt(const QPointF& point) const {
  for (const ChartTip& t : tips_)
    if (t.area.contains(point)) return t.text;
  return {};
}

void ChartGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  tips_.clear();
  if (view_) PaintChartGrid(p, QRectF(rect()).adjusted(4, 0, -4, 0), *view_, compact_, &tips_);
}

bool ChartGrid::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    const QString tip = TipAt(help->pos());
    if (tip.isEmpty()) {
      QToolTip::hideText();
      e->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
  }
  return QWidget::event(e);
}

// --- ChartPanel -------------------------------------------------------------

ChartPanel::ChartPanel(QWidget* parent, const QString& prefix, bool compact) : QWidget(parent), compact_(compact) {
  setObjectName(prefix + QStringLiteral("chartPanel"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, compact ? 2 : 4, 2, 0);
  column->setSpacing(compact ? 2 : 4);
  empty_ = new QLabel(QStringLiteral("请先填写出生资料并点击测算，命盘将显示在这里。"), this);
  empty_->setObjectName(prefix + QStringLiteral("chartEmpty"));
  empty_->setAlignment(Qt::AlignCenter);
  empty_->setFont(ReportFont(13));
  grid_ = new ChartGrid(this, compact);
  grid_->setObjectName(prefix + QStringLiteral("chartGrid"));
  strip_ = new LuckStrip(this, prefix, compact);
  strip_->setObjectName(prefix + QStringLiteral("luckStrip"));
  column->addWidget(empty_);
  column->addWidget(grid_);
  column->addWidget(strip_);
  column->addStretch(1);
  SetChart(std::nullopt);
}

void ChartPanel::SetChart(const std::optional<ChartView>& view) {
  view_ = view;
  grid_->SetChart(view);
  if (view)
    strip_->SetChart(*view);
  else
    strip_->Clear();
  empty_->setVisible(!view);
  grid_->setVisible(view.has_value());
  strip_->setVisible(view.has_value());
}

QSizeF ChartPanel::PictureSize() const {
  return {kPictureWidth, ChartGridHeight(false) + 8 + ChartLuckRowsHeight(false)};
}

double ChartPanel::PaintInto(QPainter& painter, const QPointF& at, double width) const {
  if (!view_) return 0;
  const bool narrow = width < 600;
  const double gridH = ChartGridHeight(narrow);
  PaintChartGrid(painter, QRectF(at.x(), at.y(), width, gridH), *view_, narrow);
  const int chosen = strip_->ChosenLuckPillar();
  PaintChartLuckRows(painter, QRectF(at.x(), at.y() + gridH + 8, width, ChartLuckRowsHeight(narrow)), *view_, narrow,
                     chosen);
  return gridH + 8 + ChartLuckRowsHeight(narrow);
}

void ChartPanel::PaintPicture(QPainter& painter) const { PaintInto(painter, QPointF(0, 0), kPictureWidth); }

// --- CoupleChartPanel -------------------------------------------------------

CoupleChartPanel::CoupleChartPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("coupleChartPanel"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 0);
  column->setSpacing(2);
  auto* badges = new QHBoxLayout;
  badges->setSpacing(4);
  for (int i = 0; i < 6; ++i) {
    auto* badge = new QLabel(this);
    badge->setObjectName(QStringLiteral("verdictBadge%1").arg(i));
    badge->setFont(ReportFont(12));
    badge->setAlignment(Qt::AlignCenter);
    badge->setFixedHeight(static_cast<int>(kBadgeHeight) - 4);
    badge->setVisible(false);
    badges->addWidget(badge);
    badges_.push_back(badge);
  }
  column->addLayout(badges);
  auto* pair = new QHBoxLayout;
  pair->setSpacing(6);
  man_ = new ChartPanel(this, QStringLiteral("man_"), true);
  woman_ = new ChartPanel(this, QStringLiteral("woman_"), true);
  pair->addWidget(man_, 1);
  pair->addWidget(woman_, 1);
  column->addLayout(pair, 1);
}

void CoupleChartPanel::SetResult(const ReportResult& result) {
  verdicts_ = result.verdicts;
  man_->SetChart(result.manChart);
  woman_->SetChart(result.womanChart);
  for (size_t i = 0; i < badges_.size(); ++i) {
    QLabel* b = badges_[i];
    if (i >= verdicts_.size()) {
      b->setVisible(false);
      continue;
    }
    const MarriageVerdict& v = verdicts_[i];
    b->setText(QStringLiteral("<b>%1</b> %2").arg(Q(v.label), Q(v.value)));
    b->setToolTip(QStringLiteral("%1：%2（见报告全文“%3”一节）").arg(Q(v.label), Q(v.value), Q(v.note)));
    b->setStyleSheet(BadgeStyle(v.level));
    b->setVisible(true);
  }
}

QSizeF CoupleChartPanel::PictureSize() const {
  return {kPictureWidth, kBadgeHeight + 6 + ChartGridHeight(true) + 8 + ChartLuckRowsHeight(true)};
}

void CoupleChartPanel::PaintPicture(QPainter& painter) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double w = (kPictureWidth - 6 * 5) / 6;
  for (size_t i = 0; i < verdicts_.size() && i < 6; ++i) {
    const MarriageVerdict& v = verdicts_[i];
    const QRectF r(i * (w + 6), 0, w, kBadgeHeight - 4);
    const QColor edge = v.level > 0 ? QColor(0x2e, 0x7d, 0x32) : v.level < 0 ? palette::kCinnabar : QColor(0x9a, 0x67, 0x1c);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(v.level > 0 ? QColor(0xe8, 0xf3, 0xe8) : v.level < 0 ? QColor(0xf8, 0xe4, 0xe2) : QColor(0xf6, 0xee, 0xe2));
    painter.drawRoundedRect(r, 4, 4);
    painter.setFont(ReportFont(10));
    painter.setPen(QColor(0x33, 0x2a, 0x24));
    painter.drawText(r, Qt::AlignCenter, Q(v.label) + QStringLiteral(" ") + Q(v.value));
  }
  painter.restore();
  const double half = (kPictureWidth - 12) / 2;
  man_->PaintInto(painter, QPointF(0, kBadgeHeight + 6), half);
  woman_->PaintInto(painter, QPointF(half + 12, kBadgeHeight + 6), half);
}

// --- tabs, printing and export ---------------------------------------------

QTabWidget* WrapInResultTabs(QPlainTextEdit* memo, QWidget* chart, const char* objectName) {
  QWidget* page = memo->parentWidget();
  const QRect geometry = memo->geometry();
  auto* tabs = new QTabWidget(page);
  tabs->setObjectName(QString::fromLatin1(objectName));
  tabs->setDocumentMode(true);
  tabs->setGeometry(geometry);
  tabs->addTab(chart, QStringLiteral("命盘"));
  tabs->addTab(memo, QStringLiteral("报告全文"));
  tabs->setCurrentWidget(memo);
  memo->setProperty(kPictureProperty, QVariant::fromValue(static_cast<QObject*>(chart)));
  return tabs;
}

ChartPicture* ChartPictureOf(const QPlainTextEdit* memo) {
  if (!memo) return nullptr;
  return dynamic_cast<ChartPicture*>(memo->property(kPictureProperty).value<QObject*>());
}

void PaintChartPage(QPainter& painter, const QRectF& page, const ChartPicture& picture) {
  const QSizeF size = picture.PictureSize();
  const double titleH = 30;
  const double totalH = size.height() + titleH;
  const double scale = std::min(page.width() / size.width(), page.height() / totalH);
  painter.save();
  painter.translate(page.topLeft());
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(palette::kCinnabar);
  painter.setFont(SerifFont(16));
  painter.drawText(QRectF(0, 0, size.width(), titleH - 6), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("瑞祺八字合婚配软件 · 命盘"));
  painter.setPen(QColor(0x80, 0x74, 0x6a));
  painter.setFont(ReportFont(11));
  painter.drawText(QRectF(0, 0, size.width(), titleH - 6), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("制作日期 ") + QDate::currentDate().toString(QStringLiteral("yyyy年M月d日")));
  painter.setPen(QPen(QColor(0xd8, 0xcc, 0xbc), 0));
  painter.drawLine(QPointF(0, titleH - 3), QPointF(size.width(), titleH - 3));
  painter.translate(0, titleH);
  picture.PaintPicture(painter);
  painter.restore();
}

bool IsChartPicturePath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("png") || suffix == QLatin1String("pdf");
}

bool ExportChartPicture(const ChartPicture& picture, const QString& path, QString* error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const QSizeF size = picture.PictureSize();
  const double margin = 16, titleH = 30;
  if (suffix == QLatin1String("png")) {
    const double scale = 2;  // twice the screen's pixels, sharp when zoomed
    QImage image(QSize(static_cast<int>((size.width() + 2 * margin) * scale),
                       static_cast<int>((size.height() + titleH + 2 * margin) * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      p.scale(scale, scale);
      PaintChartPage(p, QRectF(margin, margin, size.width(), size.height() + titleH), picture);
    }
    if (!image.save(path, "PNG")) {
      if (error) *error = QStringLiteral("无法写入图片文件");
      return false;
    }
    return true;
  }
  if (suffix == QLatin1String("pdf")) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setTitle(QStringLiteral("瑞祺八字合婚配软件 命盘"));
    writer.setCreator(AppTitle());
    writer.setResolution(300);
    QPainter p;
    if (!p.begin(&writer)) {
      if (error) *error = QStringLiteral("无法写入 PDF 文件");
      return false;
    }
    const QRect r = p.viewport();
    PaintChartPage(p, QRectF(r).adjusted(r.width() * 0.04, r.height() * 0.05, -r.width() * 0.04, -r.height() * 0.05),
                   picture);
    p.end();
    return true;
  }
  if (error) *error = QStringLiteral("导出图片只支持 PNG 或 PDF 文件");
  return false;
}

}  // namespace hehun::ui
