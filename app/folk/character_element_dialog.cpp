#include "app/folk/character_element_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/folk/folk_common.h"
#include "app/ui_services.h"
#include "divination/character_element.h"

namespace hehun::ui {

namespace {

// The columns of a character's line ("林\t康熙笔画 8\t五行 木（…）\t拼音 lín\t
// 部首 木"), each field's name taken off; a further field ("说明 …") goes
// under the row.
const QStringList& ColumnNames() {
  static const QStringList names{QStringLiteral("康熙笔画"), QStringLiteral("五行"), QStringLiteral("拼音"),
                                 QStringLiteral("部首")};
  return names;
}

QString ElementTableHtml(const std::vector<std::string>& lines) {
  const QString cell = QStringLiteral("<td style=\"padding:4px 8px; border-bottom:1px solid #eadbbd;\">%1</td>");
  QString html = QStringLiteral(
      "<table cellspacing=\"0\" cellpadding=\"0\" width=\"100%\"><tr style=\"background:#f3e3c3; color:#6c1012;\">"
      "<th align=\"left\" style=\"padding:4px 8px;\">字</th>");
  for (const QString& name : ColumnNames())
    html += QStringLiteral("<th align=\"left\" style=\"padding:4px 8px;\">%1</th>").arg(name);
  html += QStringLiteral("</tr>");
  for (const std::string& text : lines) {
    const QStringList fields = FromUtf8(text).split(QLatin1Char('\t'));
    html += QStringLiteral("<tr>") +
            cell.arg(QStringLiteral("<span style=\"font-size:20px; color:#a31f22;\">%1</span>")
                         .arg(fields.value(0).toHtmlEscaped()));
    QString extra;
    for (qsizetype i = 1; i < fields.size(); ++i) {
      const QString& field = fields[i];
      const qsizetype space = field.indexOf(QLatin1Char(' '));
      const QString name = field.left(space), value = field.mid(space + 1).toHtmlEscaped();
      if (i <= ColumnNames().size() && name == ColumnNames()[i - 1]) {
        // The element stands out from its reason.
        if (i == 2) {
          const qsizetype paren = value.indexOf(QChar(0xFF08));
          html += cell.arg(QStringLiteral("<b style=\"color:#a31f22;\">%1</b><span style=\"color:#8a7058;\">%2</span>")
                               .arg(value.left(paren), paren < 0 ? QString() : value.mid(paren)));
        } else {
          html += cell.arg(value);
        }
      } else {
        extra += (extra.isEmpty() ? QString() : QStringLiteral("；")) + field.toHtmlEscaped();
      }
    }
    html += QStringLiteral("</tr>");
    if (!extra.isEmpty())
      html += QStringLiteral("<tr><td></td><td colspan=\"4\" style=\"padding:0 8px 4px 8px; color:#8a7058;\">%1</td></tr>")
                  .arg(extra);
  }
  return html + QStringLiteral("</table>");
}

}  // namespace

CharacterElementDialog::CharacterElementDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmWenziWuxing"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("文字五行"));
  setFont(UiFont(13));
  setStyleSheet(FolkStyleSheet());

  // The box takes a few more characters than are looked up, so that a
  // text too long is refused with a message rather than cut silently.
  const InputStrip strip = MakeInputStrip(this, QStringLiteral("输入汉字："), hehun::kElementTextMaxChars + 10);
  edit_ = strip.edit;
  strip.run->setText(QStringLiteral("查询"));
  connect(strip.run, &QPushButton::clicked, this, &CharacterElementDialog::LookUp);
  connect(edit_, &QLineEdit::returnPressed, this, &CharacterElementDialog::LookUp);
  auto* inputLayout = new QVBoxLayout(strip.frame);
  inputLayout->setContentsMargins(10, 10, 10, 10);
  inputLayout->addLayout(strip.row);

  QLabel* note = MakeFolkNote(
      this, QStringLiteral("可输入一个或几个汉字（如姓名）。笔画为起名所用的康熙笔画：按繁体字形、部首还原本字计数"
                           "（氵作水4画，扌作手4画，艹作艸6画，王旁作玉5画……）；五行先看部首，部首不属五行的按字音"
                           "（唇音属水，舌音属火，牙音属木，齿音属金，喉音属土，声母h按起名字典归水）。"));

  auto* results = new QGroupBox(QStringLiteral("查询结果"), this);
  results->setObjectName(QStringLiteral("RzGroupBox2"));
  result_ = new FolkResultArea(results);
  result_->ShowHint(QStringLiteral("在上方输入汉字，按“查询”或回车，每个字的笔画、五行、拼音和部首显示在这里。"));
  auto* resultLayout = new QVBoxLayout(results);
  resultLayout->setContentsMargins(10, 22, 10, 10);
  resultLayout->addWidget(result_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(8);
  layout->addWidget(strip.frame);
  layout->addWidget(note);
  layout->addWidget(results, 1);
  setFixedSize(640, 480);
}

namespace {
// Each typed character is shown as typed; its traditional form is the
// table's own column.
QStringList TypedCharacters(const QString& typed) {
  QStringList chars;
  for (int i = 0; i < typed.size(); ++i) {
    const int n = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
    const QString c = typed.mid(i, n);
    if (!c.trimmed().isEmpty() && !chars.contains(c)) chars.push_back(c);
    i += n - 1;
  }
  return chars;
}
}  // namespace

void CharacterElementDialog::LookUp() {
  const std::string text = ToUtf8(edit_->text());
  RunFolkReport(this, result_, ElementTableHtml, [&](hehun::Messages& messages, hehun::LineSink& out) {
    return hehun::CharacterElementReport(text, messages, out);
  }, TypedCharacters(edit_->text()));
}

QString CharacterElementDialog::ResultText() const { return result_->ResultText(); }

}  // namespace hehun::ui
