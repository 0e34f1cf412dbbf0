// Painting the 命盘: the header, the five-element bar and the grid of the
// four pillars (ten gods, stems, branches, hidden stems, nayin, stages, void
// marks, shensha), stems and branches in their element's colour; and for the
// printed picture the luck pillars with the years of one of them. The same
// painting serves the screen, the printer and the exported picture.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>

#include "bazi/chart_view.h"

class QPainter;

namespace hehun::ui {

// 木 green, 火 red, 土 ochre, 金 gold, 水 blue; ink for anything else.
QColor ElementColour(int element);
QColor ColourOfCharacter(const std::string& stemOrBranch);

// A painted place that explains itself when the mouse rests on it.
struct ChartTip {
  QRectF area;
  QString text;
};

// Height the grid takes at `width` (compact: the narrower half of the marriage page).
double ChartGridHeight(bool compact);

// Paints header, element bar and grid into `area`; adds a tip for every
// ten god, stage and shensha to `tips` when given.
void PaintChartGrid(QPainter& painter, const QRectF& area, const ChartView& view, bool compact,
                    std::vector<ChartTip>* tips = nullptr);

// Luck pillars and the ten years of luck pillar `selected` (the running one
// when −1, else the first), as the printed picture shows them.
double ChartLuckRowsHeight(bool compact);
void PaintChartLuckRows(QPainter& painter, const QRectF& area, const ChartView& view, bool compact, int selected);

// "长生：如婴儿初生…" for a name with a meaning, else empty.
QString HintText(const std::string& name);

}  // namespace hehun::ui
