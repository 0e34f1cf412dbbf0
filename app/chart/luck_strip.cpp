#include "app/chart/luck_strip.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "app/appearance.h"
#include "app/chart/chart_painting.h"

namespace hehun::ui {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// A pillar's two characters, each in its element's colour.
QString ColouredPillar(const std::string& ganzhi) {
  QString html;
  for (size_t at = 0; at + 3 <= ganzhi.size(); at += 3) {
    const std::string ch = ganzhi.substr(at, 3);
    html += QStringLiteral("<span style='color:%1'>%2</span>").arg(ColourOfCharacter(ch).name(), Q(ch));
  }
  return QStringLiteral("<b>") + html + QStringLiteral("</b>");
}

}  // namespace

LuckStrip::LuckStrip(QWidget* parent, const QString& prefix, bool compact) : QWidget(parent), compact_(compact) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(2);
  const int px = compact ? 11 : 12;
  if (!compact) {
    auto* a = new QLabel(QStringLiteral("大运"), this);
    auto* b = new QLabel(QStringLiteral("流年"), this);
    for (QLabel* l : {a, b}) {
      l->setFont(ReportFont(11));
      l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      l->setFixedWidth(40);
    }
    grid->addWidget(a, 0, 0);
    grid->addWidget(b, 1, 0);
  }
  const int first = compact ? 0 : 1;
  for (int i = 0; i < 10; ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(prefix + QStringLiteral("luckPillar%1").arg(i));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFont(ReportFont(px));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumWidth(10);
    button->setFixedHeight(44);
    connect(button, &QToolButton::clicked, this, [this, i] { ChooseLuckPillar(i); });
    grid->addWidget(button, 0, first + i);
    pillars_.push_back(button);
    auto* year = new QLabel(this);
    year->setObjectName(prefix + QStringLiteral("luckYear%1").arg(i));
    year->setAlignment(Qt::AlignCenter);
    year->setFont(ReportFont(px - 1));
    year->setTextFormat(Qt::RichText);
    year->setMinimumWidth(10);
    year->setFixedHeight(compact ? 42 : 48);
    year->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(year, 1, first + i);
    years_.push_back(year);
  }
  Clear();
}

void LuckStrip::Clear() {
  view_ = ChartView{};
  chosen_ = -1;
  for (QToolButton* b : pillars_) {
    b->setText(QString());
    b->setToolTip(QString());
    b->setChecked(false);
    b->setEnabled(false);
  }
  for (QLabel* l : years_) l->clear();
}

void LuckStrip::SetChart(const ChartView& view) {
  view_ = view;
  for (size_t i = 0; i < pillars_.size(); ++i) {
    QToolButton* b = pillars_[i];
    if (i >= view.luck.size()) {
      b->setText(QString());
      b->setEnabled(false);
      continue;
    }
    const ChartLuckView& l = view.luck[i];
    b->setEnabled(true);
    // Narrow cells put the year and the age on lines of their own.
    const QString gap = compact_ ? QStringLiteral("\n") : QStringLiteral(" ");
    b->setText(Q(l.ganzhi) + QStringLiteral("\n") + QString::number(l.start_year) + gap +
               QString::number(l.start_age) + QStringLiteral("岁"));
    b->setToolTip(QStringLiteral("%1大运（%2，%3）：%4年%5月%6日起，%7岁至%8岁%9")
                      .arg(Q(l.ganzhi), Q(l.ten_god), Q(l.nayin))
                      .arg(l.start.year)
                      .arg(l.start.month)
                      .arg(l.start.day)
                      .arg(l.start_age)
                      .arg(l.start_age + 9)
                      .arg(l.current ? QStringLiteral("，正在运行") : QString()));
    // The running luck pillar carries a red frame.
    b->setStyleSheet(l.current ? QStringLiteral("QToolButton{border:1px solid #a31f22;border-radius:3px;}"
                                                "QToolButton:checked{background:#f6eee2;}")
                               : QStringLiteral("QToolButton:checked{background:#f6eee2;border:1px solid #d8ccbc;}"));
  }
  ChooseLuckPillar(view.current_luck >= 0 ? view.current_luck : 0);
}

void LuckStrip::ChooseLuckPillar(int index) {
  if (index < 0 || index >= static_cast<int>(view_.luck.size())) return;
  chosen_ = index;
  for (size_t i = 0; i < pillars_.size(); ++i) pillars_[i]->setChecked(static_cast<int>(i) == index);
  const ChartLuckView& l = view_.luck[index];
  for (size_t i = 0; i < years_.size(); ++i) {
    QLabel* label = years_[i];
    if (i >= l.years.size()) {
      label->clear();
      continue;
    }
    const ChartYearView& y = l.years[i];
    const QString age = QString::number(y.age) + QStringLiteral("岁");
    const QString god = QStringLiteral("<span style='color:#80746a'>") + Q(y.ten_god) + QStringLiteral("</span>");
    // Narrow cells: year, pillar, age; the ten god goes into the tip.
    label->setText(compact_ ? QString::number(y.year) + QStringLiteral("<br>") + ColouredPillar(y.ganzhi) +
                                  QStringLiteral("<br>") + age
                            : QString::number(y.year) + QStringLiteral(" ") + age + QStringLiteral("<br>") +
                                  ColouredPillar(y.ganzhi) + QStringLiteral("<br>") + god);
    label->setToolTip(QStringLiteral("%1年 %2 %3 流年十神%4").arg(QString::number(y.year), Q(y.ganzhi), age, Q(y.ten_god)) +
                      (HintText(y.ten_god).isEmpty() ? QString() : QStringLiteral("\n") + HintText(y.ten_god)));
    label->setStyleSheet(y.current ? QStringLiteral("QLabel{border:1px solid #a31f22;border-radius:3px;}")
                                   : QString());
  }
}

}  // namespace hehun::ui
