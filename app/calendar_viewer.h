// 万年历: the one-month Chinese-calendar viewer opened by 万年历法 on the
// function page. A grid of the month's days, each with its day number and,
// under it, the lunar day, the lunar month's name on its first day, a
// festival or a solar term; month and year spinners, a "今天" button, the
// zodiac label of the lunar year and the star sign of the highlighted day;
// today has a frame of its own; the month arrows roll over into the next
// or the previous year; 关闭 and Esc close it.
// It hands no date back and changes nothing else; it closes when the user
// switches to another window.
#pragma once

#include <QDate>
#include <QDialog>
#include <array>

class QFrame;
class QPushButton;
class QLabel;
class QSpinBox;

namespace hehun::ui {

class CalendarViewer : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kCells = 37;

  // `today` fixes the date the window starts from and goes back to with
  // "今天"; without it the system clock's date is used.
  explicit CalendarViewer(QWidget* parent = nullptr, QDate today = QDate());

  // Draws the month that contains `x` and highlights the day of `x`.
  void ShowMonth(QDate x);

  QDate SelectedDate() const { return selected_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Cell {
    QLabel* number = nullptr;
    QLabel* lunar = nullptr;
  };

  void BuildControls();
  void FormCreate();
  void FormShow();
  void UpDown1Click();
  void UpDown2Click();
  void Label1Click();
  void Label17Click();
  void StaticText1Click();
  void DayMouseDown(QLabel* label);
  void DayClick(QLabel* label);
  QDate Today() const;
  // The current year and month with the current day, or the month's last
  // day when the current day does not exist in it.
  QDate CurrentDate() const;

  QDate fixedToday_;
  QDate selected_;
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
  bool wasActive_ = false;

  QFrame* frame_ = nullptr;
  QLabel* dayTemplate_ = nullptr;    // day1
  QLabel* lunarTemplate_ = nullptr;  // Cnday
  QLabel* label1_ = nullptr;         // year number
  QLabel* label16_ = nullptr;        // large pale month number
  QLabel* label17_ = nullptr;        // month number
  QLabel* label20_ = nullptr;        // large pale year
  QLabel* label21_ = nullptr;        // zodiac label
  QLabel* label22_ = nullptr;        // star sign
  QLabel* staticText1_ = nullptr;    // 今天
  QFrame* shape2_ = nullptr;         // highlight
  QFrame* todayMark_ = nullptr;      // frame around today's day
  QPushButton* closeButton_ = nullptr;  // 关闭
  QSpinBox* upDown1_ = nullptr;      // year
  QSpinBox* upDown2_ = nullptr;      // month
  std::array<Cell, kCells> cells_{};
};

}  // namespace hehun::ui
