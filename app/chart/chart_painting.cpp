#include "app/chart/chart_painting.h"

#include <QFontMetricsF>
#include <QPainter>

#include "app/appearance.h"
#include "app/ui_script.h"
#include "refdb/ganzhi.h"

namespace hehun::ui {

void DrawShown(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QStringList& kept) {
  painter.drawText(rect, flags, Shown(text, kept));
}

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QFont Font(double pixels, bool bold = false) {
  QFont f = ReportFont(13);
  f.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
  f.setBold(bold);
  return f;
}

const QColor kInk{0x33, 0x2a, 0x24};
const QColor kMuted{0x80, 0x74, 0x6a};
const QColor kRule{0xd8, 0xcc, 0xbc};
const QColor kHeadFill{0xf6, 0xee, 0xe2};

// Row heights of the grid at a reading scale of 1 (the personal page).
struct Rows {
  double header, bar, tenGod, stem, branch, hidden, nayin, stage, shensha;
  double Sum() const { return header + bar + tenGod + stem + branch + hidden + nayin + stage + shensha; }
};

Rows RowsOf(bool compact) {
  if (compact) return {24, 17, 15, 22, 22, 34, 14, 14, 36};
  return {36, 32, 18, 32, 32, 46, 18, 18, 46};
}

int ElementOfCharacter(const std::string& ch) {
  if (const int s = IndexOf(kCalendarStems, ch); s >= 0) return static_cast<int>(StemElement(s));
  if (const int b = IndexOf(kCalendarBranches, ch); b >= 0) return static_cast<int>(kBranchElements[b]);
  return -1;
}

void Tip(std::vector<ChartTip>* tips, const QRectF& r, const std::string& name) {
  if (!tips) return;
  const QString t = HintText(name);
  if (!t.isEmpty()) tips->push_back({r, t});
}

// One stacked bar of the five counts in their colours, the counts written in.
void PaintElementBar(QPainter& p, const QRectF& r, const QString& label, const std::array<int, 5>& counts,
                     double font) {
  p.setFont(Font(font));
  p.setPen(kMuted);
  const double labelWidth = font * 4.6;
  DrawShown(p, QRectF(r.left(), r.top(), labelWidth, r.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
  int total = 0;
  for (int n : counts) total += n;
  if (total == 0) return;
  const QRectF bar(r.left() + labelWidth, r.top() + 1, r.width() - labelWidth, r.height() - 2);
  double x = bar.left();
  for (int e = 0; e < 5; ++e) {
    const double w = bar.width() * counts[e] / total;
    const QRectF seg(x, bar.top(), w, bar.height());
    if (counts[e] > 0) {
      p.fillRect(seg, ElementColour(e));
      p.setPen(Qt::white);
      DrawShown(p, seg, Qt::AlignCenter, QString::fromUtf8(kElementNames[e].data(), 3) + QString::number(counts[e]));
    }
    x += w;
  }
  // The missing elements are named after the bar so nothing goes unsaid.
}

}  // namespace

QColor ElementColour(int element) {
  switch (element) {
    case 0: return {0x2e, 0x7d, 0x32};  // 木
    case 1: return {0xc6, 0x28, 0x28};  // 火
    case 2: return {0x9a, 0x67, 0x1c};  // 土
    case 3: return {0xb0, 0x84, 0x0c};  // 金
    case 4: return {0x1f, 0x4e, 0x9a};  // 水
    default: return kInk;
  }
}

QColor ColourOfCharacter(const std::string& ch) { return ElementColour(ElementOfCharacter(ch)); }

QString HintText(const std::string& name) {
  const std::string_view hint = ChartHint(name);
  if (hint.empty()) return {};
  return Q(name) + QStringLiteral("：") + QString::fromUtf8(hint.data(), static_cast<int>(hint.size()));
}

double ChartGridHeight(bool compact) { return RowsOf(compact).Sum(); }

void PaintChartGrid(QPainter& p, const QRectF& area, const ChartView& v, bool compact, std::vector<ChartTip>* tips) {
  const Rows rows = RowsOf(compact);
  const double k = compact ? 0.86 : 1.0;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  double y = area.top();

  // Header: who, when, and the chart's own facts.
  const QString who = Q(v.name.empty() ? std::string("命主") : v.name) + QStringLiteral("（") + Q(v.sex) +
                      QStringLiteral("）  ") + QStringLiteral("公历 ") + Q(v.clock_time) +
                      (v.true_solar_time.empty() ? QString() : QStringLiteral("  真太阳时 ") + Q(v.true_solar_time));
  const QString facts = QStringLiteral("农历 ") + Q(v.lunar_date) + QStringLiteral("  胎元 ") + Q(v.conception) +
                        QStringLiteral("  命宫 ") + Q(v.life_palace) + QStringLiteral("  空亡 ") + Q(v.kongwang) +
                        (v.place_name.empty() ? QString() : QStringLiteral("  ") + Q(v.place_name));
  const double lineH = rows.header / 2;
  p.setPen(kInk);
  p.setFont(Font(13 * k, true));
  const QFontMetricsF m1(p.font());
  DrawShown(p, QRectF(area.left(), y, area.width(), lineH), Qt::AlignLeft | Qt::AlignVCenter,
            m1.elidedText(who, Qt::ElideRight, area.width()), {Q(v.name)});
  p.setFont(Font(12 * k));
  p.setPen(kMuted);
  const QFontMetricsF m2(p.font());
  DrawShown(p, QRectF(area.left(), y + lineH, area.width(), lineH), Qt::AlignLeft | Qt::AlignVCenter,
             m2.elidedText(facts, Qt::ElideRight, area.width()));
  y += rows.header;

  // Five-element bars: the eight characters, and the hidden stems.
  const double barH = rows.bar / 2 - 1;
  const double half = (area.width() - 8) / 2;
  PaintElementBar(p, QRectF(area.left(), y + 2, half, barH * 2 - 4), QStringLiteral("八字五行"), v.elements, 11 * k);
  PaintElementBar(p, QRectF(area.left() + half + 8, y + 2, half, barH * 2 - 4), QStringLiteral("藏干五行"),
                  v.hidden_elements, 11 * k);
  y += rows.bar;

  // The grid: a label column and four pillar columns.
  const double labelW = compact ? 30 : 44;
  const double colW = (area.width() - labelW) / 4;
  const double top = y;
  p.fillRect(QRectF(area.left(), top, area.width(), rows.tenGod), kHeadFill);
  struct RowSpec {
    const char* label;
    double h;
  };
  const RowSpec specs[] = {{"十神", rows.tenGod}, {"天干", rows.stem},   {"地支", rows.branch},
                           {"藏干", rows.hidden}, {"纳音", rows.nayin}, {"星运", rows.stage},
                           {"神煞", rows.shensha}};
  double ry = top;
  p.setFont(Font(11 * k));
  for (const RowSpec& r : specs) {
    p.setPen(kMuted);
    DrawShown(p, QRectF(area.left(), ry, labelW - 4, r.h), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf8(r.label));
    p.setPen(QPen(kRule, 0));
    p.drawLine(QPointF(area.left(), ry + r.h), QPointF(area.right(), ry + r.h));
    ry += r.h;
  }
  for (int c = 0; c < 4; ++c) {
    const ChartPillarView& pv = v.pillars[c];
    const double x = area.left() + labelW + c * colW;
    double cy = top;
    p.setPen(QPen(kRule, 0));
    p.drawLine(QPointF(x, top), QPointF(x, top + ry - top));
    // Ten god of the stem, with the pillar's name before it.
    p.setFont(Font(11.5 * k, c == 2));
    p.setPen(c == 2 ? palette::kCinnabar : kInk);
    const QRectF godRect(x, cy, colW, rows.tenGod);
    DrawShown(p, godRect, Qt::AlignCenter, Q(pv.label) + QStringLiteral(" ") + Q(pv.ten_god));
    Tip(tips, godRect, pv.ten_god);
    cy += rows.tenGod;
    // Stem and branch, large, in their element's colour.
    p.setFont(Font(24 * k, true));
    p.setPen(ColourOfCharacter(pv.stem));
    DrawShown(p, QRectF(x, cy, colW, rows.stem), Qt::AlignCenter, Q(pv.stem));
    cy += rows.stem;
    p.setPen(ColourOfCharacter(pv.branch));
    const QRectF branchRect(x, cy, colW, rows.branch);
    DrawShown(p, branchRect, Qt::AlignCenter, Q(pv.branch));
    if (pv.void_branch) {
      // 空亡: a small seal beside the branch.
      p.setFont(Font(10 * k, true));
      const double s = 15 * k;
      const QRectF seal(branchRect.center().x() + 15 * k, branchRect.top() + 3, s, s);
      p.setPen(QPen(kMuted, 1));
      p.drawRoundedRect(seal, 2, 2);
      DrawShown(p, seal, Qt::AlignCenter, QStringLiteral("空"));
      Tip(tips, seal, "空亡");
    }
    cy += rows.branch;
    // Hidden stems, each with its ten god.
    const double hl = rows.hidden / 3;
    for (size_t h = 0; h < pv.hidden.size() && h < 3; ++h) {
      const QRectF line(x, cy + h * hl, colW, hl);
      const QRectF stemRect(line.left(), line.top(), line.width() / 2 - 2, hl);
      const QRectF godR(line.left() + line.width() / 2 + 1, line.top(), line.width() / 2 - 1, hl);
      p.setFont(Font(12 * k, true));
      p.setPen(ColourOfCharacter(pv.hidden[h].stem));
      DrawShown(p, stemRect, Qt::AlignRight | Qt::AlignVCenter, Q(pv.hidden[h].stem));
      p.setFont(Font(11 * k));
      p.setPen(kInk);
      DrawShown(p, godR, Qt::AlignLeft | Qt::AlignVCenter, Q(pv.hidden[h].ten_god));
      Tip(tips, godR, pv.hidden[h].ten_god);
    }
    cy += rows.hidden;
    p.setFont(Font(11 * k));
    p.setPen(kInk);
    DrawShown(p, QRectF(x, cy, colW, rows.nayin), Qt::AlignCenter, Q(pv.nayin));
    cy += rows.nayin;
    const QRectF stageRect(x, cy, colW, rows.stage);
    DrawShown(p, stageRect, Qt::AlignCenter, Q(pv.stage));
    Tip(tips, stageRect, pv.stage);
    cy += rows.stage;
    // Shensha: as many names per line as fit, up to the row's three lines.
    p.setFont(Font(10.5 * k));
    const QFontMetricsF fm(p.font());
    const double sl = rows.shensha / 3;
    double sx = x + 3, sy = cy;
    QString all;
    for (const std::string& name : pv.shensha) all += (all.isEmpty() ? QString() : QStringLiteral("、")) + Q(name);
    for (const std::string& name : pv.shensha) {
      const QString t = Q(name);
      const double w = fm.horizontalAdvance(t) + 4;
      if (sx + w > x + colW - 2 && sx > x + 3) {
        sx = x + 3;
        sy += sl;
      }
      if (sy + sl > cy + rows.shensha + 0.5) {
        // More than the cell holds: a mark, and the whole list in the tip.
        const QRectF more(x + colW - 16, cy + rows.shensha - sl, 14, sl);
        p.setPen(kMuted);
        DrawShown(p, more, Qt::AlignCenter, QStringLiteral("…"));
        if (tips) tips->push_back({QRectF(x, cy, colW, rows.shensha), pv.label.empty() ? all : Q(pv.label) + QStringLiteral("神煞：") + all});
        break;
      }
      const QRectF r(sx, sy, w, sl);
      p.setPen(name.find("贵人") != std::string::npos ? palette::kCinnabar : kInk);
      DrawShown(p, r, Qt::AlignLeft | Qt::AlignVCenter, t);
      Tip(tips, r, name);
      sx += w + 2;
    }
  }
  p.restore();
}

double ChartLuckRowsHeight(bool compact) { return compact ? 84 : 96; }

void PaintChartLuckRows(QPainter& p, const QRectF& area, const ChartView& v, bool compact, int selected) {
  if (v.luck.empty()) return;
  if (selected < 0) selected = v.current_luck >= 0 ? v.current_luck : 0;
  const double k = compact ? 0.86 : 1.0;
  const double labelW = compact ? 30 : 44;
  const double cellW = (area.width() - labelW) / static_cast<double>(v.luck.size());
  const double rowH = ChartLuckRowsHeight(compact) / 2;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(Font(11 * k));
  p.setPen(kMuted);
  DrawShown(p, QRectF(area.left(), area.top(), labelW - 4, rowH), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("大运") + (v.direction.empty() ? QString() : QStringLiteral("\n") + Q(v.direction) + QStringLiteral("行")));
  DrawShown(p, QRectF(area.left(), area.top() + rowH, labelW - 4, rowH), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("流年"));
  for (size_t i = 0; i < v.luck.size(); ++i) {
    const ChartLuckView& l = v.luck[i];
    const QRectF cell(area.left() + labelW + i * cellW, area.top(), cellW - 2, rowH - 2);
    if (static_cast<int>(i) == selected) p.fillRect(cell, kHeadFill);
    if (l.current) {
      p.setPen(QPen(palette::kCinnabar, 1.2));
      p.drawRect(cell);
    }
    p.setFont(Font(14 * k, true));
    const double third = cell.height() / 3;
    p.setPen(ColourOfCharacter(l.ganzhi.substr(0, 3)));
    DrawShown(p, QRectF(cell.left(), cell.top(), cell.width() / 2, third * 1.6), Qt::AlignRight | Qt::AlignVCenter,
               Q(l.ganzhi.substr(0, 3)));
    p.setPen(ColourOfCharacter(l.ganzhi.substr(3)));
    DrawShown(p, QRectF(cell.center().x(), cell.top(), cell.width() / 2, third * 1.6), Qt::AlignLeft | Qt::AlignVCenter,
               Q(l.ganzhi.substr(3)));
    p.setFont(Font(10 * k));
    p.setPen(kInk);
    const QString year = QString::number(l.start_year), age = QString::number(l.start_age) + QStringLiteral("岁");
    const QRectF below(cell.left(), cell.top() + third * 1.6, cell.width(), third * 1.4);
    if (compact) {  // narrow cells: year and age on lines of their own
      DrawShown(p, QRectF(below.left(), below.top(), below.width(), below.height() / 2), Qt::AlignCenter, year);
      DrawShown(p, QRectF(below.left(), below.center().y(), below.width(), below.height() / 2), Qt::AlignCenter, age);
    } else {
      DrawShown(p, below, Qt::AlignCenter, year + QStringLiteral(" ") + age);
    }
  }
  const ChartLuckView& chosen = v.luck[selected];
  for (size_t i = 0; i < chosen.years.size(); ++i) {
    const ChartYearView& y = chosen.years[i];
    const QRectF cell(area.left() + labelW + i * cellW, area.top() + rowH, cellW - 2, rowH - 2);
    if (y.current) {
      p.setPen(QPen(palette::kCinnabar, 1.2));
      p.drawRect(cell);
    }
    // Year (and age), pillar, ten god; narrow cells give the age a line of its own.
    const int lines = compact ? 4 : 3;
    const double line = cell.height() / lines;
    p.setFont(Font(compact ? 8.5 : 10));
    p.setPen(kInk);
    const QString age = QString::number(y.age) + QStringLiteral("岁");
    DrawShown(p, QRectF(cell.left(), cell.top(), cell.width(), line), Qt::AlignCenter,
               compact ? QString::number(y.year) : QString::number(y.year) + QStringLiteral(" ") + age);
    double at = cell.top() + line;
    if (compact) {
      DrawShown(p, QRectF(cell.left(), at, cell.width(), line), Qt::AlignCenter, age);
      at += line;
    }
    p.setFont(Font((compact ? 11 : 13), true));
    p.setPen(ColourOfCharacter(y.ganzhi.substr(0, 3)));
    DrawShown(p, QRectF(cell.left(), at, cell.width() / 2, line), Qt::AlignRight | Qt::AlignVCenter,
               Q(y.ganzhi.substr(0, 3)));
    p.setPen(ColourOfCharacter(y.ganzhi.substr(3)));
    DrawShown(p, QRectF(cell.center().x(), at, cell.width() / 2, line), Qt::AlignLeft | Qt::AlignVCenter,
               Q(y.ganzhi.substr(3)));
    at += line;
    p.setFont(Font(compact ? 8.5 : 10));
    p.setPen(kMuted);
    DrawShown(p, QRectF(cell.left(), at, cell.width(), line), Qt::AlignCenter, Q(y.ten_god));
  }
  p.restore();
}

}  // namespace hehun::ui
