#include "app/folk/pair_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/folk/folk_common.h"
#include "app/ui_services.h"
#include "divination/name_affinity.h"
#include "divination/qq_pair.h"

namespace hehun::ui {

namespace {

// "第3行：1 2 3" gives "1 2 3"; empty for another line.
QString RowDigits(const QString& line) {
  static const QString kRow = QStringLiteral("行：");
  if (!line.startsWith(QChar(0x7B2C))) return {};  // "第"
  const qsizetype at = line.indexOf(kRow);
  if (at < 0) return {};
  return line.mid(at + kRow.size());
}

// The working rows as a small triangle: the digits of each row centred
// under those of the row above, the row's name at the left.
QString RowsHtml(const QStringList& rows) {
  QString html = QStringLiteral(
      "<table cellspacing=\"0\" cellpadding=\"2\" style=\"margin:6px 0 6px 0;\" width=\"100%\">");
  for (const QString& line : rows) {
    const QString name = line.left(line.indexOf(QChar(0xFF1A)) + 1);
    html += QStringLiteral(
                "<tr><td width=\"70\" style=\"color:#6c1012;\">%1</td>"
                "<td align=\"center\" style=\"font-family:monospace; font-size:16px; color:#3b2a1e;\">%2</td></tr>")
                .arg(name.toHtmlEscaped(), RowDigits(line).toHtmlEscaped());
  }
  return html + QStringLiteral("</table>");
}

// The lines of both reports: the heading; the working rows; the index and
// the grade in red; the band title (【…】) set off before its reading; the
// method note in grey.
QString PairHtml(const std::vector<std::string>& lines) {
  QString html;
  QStringList rows;
  const auto flushRows = [&] {
    if (!rows.isEmpty()) html += RowsHtml(rows);
    rows.clear();
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString line = FromUtf8(lines[i]);
    if (i == 0) {
      html += HeadingHtml(line);
      continue;
    }
    if (!RowDigits(line).isEmpty()) {
      rows << line;
      continue;
    }
    flushRows();
    if (line.startsWith(QChar(0xFF08))) {  // "（": the note on the method
      html += ParagraphHtml(line, QStringLiteral("color:#8a7058; font-size:12px;"));
    } else if (line.startsWith(QStringLiteral("【"))) {
      const qsizetype close = line.indexOf(QStringLiteral("】"));
      html += QStringLiteral("<p style=\"margin-top:8px; line-height:150%;\"><b style=\"color:#a31f22;\">%1</b>%2</p>")
                  .arg(line.left(close + 1).toHtmlEscaped(), line.mid(close + 1).toHtmlEscaped());
    } else if (line.startsWith(QStringLiteral("缘分指数："))) {
      const QString value = line.mid(5);
      html += QStringLiteral("<p style=\"margin:6px 0;\"><b style=\"color:#6c1012;\">缘分指数：</b>"
                             "<span style=\"font-size:22px; font-weight:bold; color:#a31f22;\">%1</span></p>")
                  .arg(value.toHtmlEscaped());
    } else if (line.startsWith(QStringLiteral("缘分解读："))) {
      html += QStringLiteral("<p style=\"margin-top:8px;\"><b style=\"color:#6c1012;\">缘分解读：</b></p>") +
              ParagraphHtml(line.mid(5), QStringLiteral("line-height:150%;"));
    } else {
      html += LabelledLineHtml(line, line.startsWith(QStringLiteral("吉凶：")));
    }
  }
  flushRows();
  return html;
}

}  // namespace

PairDialog::PairDialog(QWidget* parent, PairKind kind) : QDialog(parent), kind_(kind) {
  const bool names = kind == PairKind::kNames;
  setObjectName(names ? QStringLiteral("TFrmYuanfen") : QStringLiteral("TFrmQQYuanfen"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(names ? QStringLiteral("缘分测试") : QStringLiteral("QQ号缘分"));
  setFont(UiFont(13));
  setStyleSheet(FolkStyleSheet());

  // A name box takes a few more characters than a name may have, so that a
  // name too long is refused with a message rather than cut silently.
  const PairStrip strip =
      names ? MakePairStrip(this, QStringLiteral("第一个姓名："), QStringLiteral("第二个姓名："),
                            hehun::kAffinityNameMaxChars + 4)
            : MakePairStrip(this, QStringLiteral("第一个QQ号："), QStringLiteral("第二个QQ号："), hehun::kQqMaxDigits);
  first_ = strip.first;
  second_ = strip.second;
  if (!names) {
    auto* filter = new DigitKeyFilter(this);
    for (QLineEdit* edit : {first_, second_}) {
      edit->setInputMethodHints(Qt::ImhDigitsOnly);
      edit->setAttribute(Qt::WA_InputMethodEnabled, false);
      edit->installEventFilter(filter);
    }
  }
  connect(strip.run, &QPushButton::clicked, this, &PairDialog::Calculate);

  QLabel* note = MakeFolkNote(
      this, names ? QStringLiteral("输入两人的姓名（只限汉字，各一至四字）。两个名字每个字的笔画依次写成一串数字，相邻两数"
                                   "相加只取个位，逐行相加到剩下两位，就是两人的缘分指数。笔画按所输入的简化字计总笔画"
                                   "（Unicode 汉字数据库 Unihan 的 kTotalStrokes）。")
                  : QStringLiteral("输入两个QQ号码（各5至11位数字）。两号相加，得数按八十一数理取数，看这一数的吉凶，"
                                   "即两号的缘分。"));

  auto* results = new QGroupBox(QStringLiteral("测算结果"), this);
  results->setObjectName(QStringLiteral("RzGroupBox2"));
  result_ = new FolkResultArea(results);
  result_->ShowHint(names ? QStringLiteral("在上方输入两人的姓名，按“测算”或回车，结果显示在这里。")
                          : QStringLiteral("在上方输入两个QQ号码，按“测算”或回车，结果显示在这里。"));
  auto* resultLayout = new QVBoxLayout(results);
  resultLayout->setContentsMargins(10, 22, 10, 10);
  resultLayout->addWidget(result_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(8);
  layout->addWidget(strip.frame);
  layout->addWidget(note);
  layout->addWidget(results, 1);
  setFixedSize(540, names ? 560 : 470);
}

void PairDialog::Calculate() {
  const std::string a = ToUtf8(first_->text()), b = ToUtf8(second_->text());
  RunFolkReport(this, result_, PairHtml, [&](hehun::Messages& messages, hehun::LineSink& out) {
    return kind_ == PairKind::kNames ? hehun::NameAffinityReport(a, b, messages, out)
                                     : hehun::QqPairReport(a, b, messages, out);
  }, {first_->text().trimmed(), second_->text().trimmed()});
}

QString PairDialog::ResultText() const { return result_->ResultText(); }

}  // namespace hehun::ui
