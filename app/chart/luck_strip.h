// The luck strip: one button per luck pillar (pillar, start year, age; the
// one running today marked), and below the ten years of the chosen one
// (year, age, year pillar, its stem's ten god; the current year marked).
#pragma once

#include <QWidget>
#include <vector>

#include "bazi/chart_view.h"

class QLabel;
class QToolButton;

namespace hehun::ui {

class LuckStrip : public QWidget {
  Q_OBJECT
 public:
  // `prefix` goes before the object names ("luckPillar0", "luckYear0" …).
  LuckStrip(QWidget* parent, const QString& prefix, bool compact);

  // Shows the luck pillars of `view` and the years of the running one (or the first).
  void SetChart(const ChartView& view);
  void Clear();
  // Shows the ten years of luck pillar `index`.
  void ChooseLuckPillar(int index);
  int ChosenLuckPillar() const { return chosen_; }

 private:
  std::vector<QToolButton*> pillars_;
  std::vector<QLabel*> years_;
  ChartView view_;
  int chosen_ = -1;
  bool compact_ = false;
};

}  // namespace hehun::ui
