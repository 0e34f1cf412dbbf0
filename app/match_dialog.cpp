#include "app/match_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/ui_script.h"
#include "app/ui_services.h"
#include "bazi/matching.h"
#include "reports/match_lines.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"

namespace hehun::ui {

namespace {

// A result line "标签：内容" with its label set off; the first line, which
// names the pair, as the heading of the result.
QString LineHtml(const QString& line, bool first) {
  if (first)
    return QStringLiteral("<p style=\"font-size:17px; font-weight:bold; color:#a31f22; margin-bottom:8px;\">%1</p>")
        .arg(line.toHtmlEscaped());
  const qsizetype colon = line.indexOf(QChar(0xFF1A));  // "："
  if (colon < 0) return QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped());
  const QString label = line.left(colon), body = line.mid(colon + 1);
  const bool reading = label == QStringLiteral("配对解读");
  const bool note = label == QStringLiteral("说明");
  if (note)
    return QStringLiteral("<p style=\"color:#8a7058; margin-top:10px;\">%1</p>").arg(line.toHtmlEscaped());
  if (reading)
    return QStringLiteral("<p style=\"margin-top:10px;\"><b style=\"color:#6c1012;\">%1：</b></p>"
                          "<p style=\"line-height:150%;\">%2</p>")
        .arg(label.toHtmlEscaped(), body.toHtmlEscaped());
  // The verdicts stand out from the facts.
  const bool verdict = label == QStringLiteral("配对等级") || label == QStringLiteral("配对指数") ||
                       label == QStringLiteral("配对结论");
  return QStringLiteral("<p style=\"margin:3px 0;\"><b style=\"color:#6c1012;\">%1：</b>%2</p>")
      .arg(label.toHtmlEscaped(), verdict ? QStringLiteral("<b style=\"color:#a31f22;\">%1</b>").arg(body.toHtmlEscaped())
                                          : body.toHtmlEscaped());
}

std::optional<int> BloodOf(const QString& text) {
  const int i = hehun::BloodTypeIndex(ToUtf8(text));
  if (i < 0) return std::nullopt;
  return i;
}

QStringList ItemsOf(auto names) {
  QStringList items;
  for (auto name : names) items << FromUtf8(name);
  return items;
}

}  // namespace

MatchDialog::KindTexts MatchDialog::TextsOf(MatchKind kind) {
  switch (kind) {
    case MatchKind::kZodiac:
      return {"TFrmSxpd", QStringLiteral("生肖配对"),
              QStringLiteral("按传统的六合、三合、冲、害、刑、破之说，看两人属相是否相宜。"), QStringLiteral("生肖"),
              ItemsOf(hehun::kZodiacAnimals), hehun::WriteZodiacMatch};
    case MatchKind::kSign:
      return {"TFrmXzpd", QStringLiteral("星座配对"), QStringLiteral("由两个星座的元素、宫位和相位，看两人是否投缘。"),
              QStringLiteral("星座"), ItemsOf(hehun::kStarSigns), hehun::WriteSignMatch};
    case MatchKind::kBlood:
      break;
  }
  return {"TFrmXxpd",
          QStringLiteral("血型配对"),
          QStringLiteral("依流行的血型性格之说，看两人的性情是否合拍。"),
          QStringLiteral("血型"),
          {QStringLiteral("A型"), QStringLiteral("B型"), QStringLiteral("O型"), QStringLiteral("AB型")},
          hehun::WriteBloodMatch};
}

MatchDialog::MatchDialog(QWidget* parent, MatchKind kind, const CoupleEntries& defaults)
    : MatchDialog(parent, TextsOf(kind)) {
  switch (kind) {
    case MatchKind::kZodiac:
      SetChoices(hehun::AnimalOfRow(defaults.man), hehun::AnimalOfRow(defaults.woman));
      break;
    case MatchKind::kSign:
      SetChoices(hehun::SignOfRow(defaults.man), hehun::SignOfRow(defaults.woman));
      break;
    case MatchKind::kBlood:
      SetChoices(BloodOf(defaults.manBlood), BloodOf(defaults.womanBlood));
      break;
  }
}

CoupleEntries CoupleOf(const BirthRowControls& man, const BirthRowControls& woman) {
  CoupleEntries c;
  c.man = RowTexts(man);
  c.woman = RowTexts(woman);
  if (man.blood != nullptr) c.manBlood = ChoiceText(man.blood);
  if (woman.blood != nullptr) c.womanBlood = ChoiceText(woman.blood);
  return c;
}

MatchDialog::MatchDialog(QWidget* parent, const KindTexts& texts)
    : QDialog(parent), write_(texts.write), itemKind_(texts.itemKind) {
  const QString& title = texts.title;
  const QStringList& items = texts.items;
  const QString& itemKind = texts.itemKind;
  setObjectName(QString::fromLatin1(texts.objectName));
  setWindowTitle(title);
  setFixedSize(560, 560);
  setFont(UiFont(12));
  setStyleSheet(MainStyleSheet() + QStringLiteral("QTextBrowser { background: #fffdf8; border: 1px solid #dcc59a; }"));

  auto* heading = new QLabel(title, this);
  heading->setObjectName(QStringLiteral("LabelTitle"));
  heading->setFont(SerifFont(22));
  heading->setStyleSheet(QStringLiteral("color:#a31f22;"));
  heading->setAlignment(Qt::AlignCenter);

  auto* introLabel = new QLabel(texts.intro, this);
  introLabel->setObjectName(QStringLiteral("LabelIntro"));
  introLabel->setProperty("role", QStringLiteral("note"));
  introLabel->setWordWrap(true);
  introLabel->setAlignment(Qt::AlignCenter);

  auto* strip = new QFrame(this);
  strip->setProperty("role", QStringLiteral("strip"));
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(14, 8, 14, 8);
  const auto makeList = [&](const char* name, const QString& caption) {
    auto* label = new QLabel(caption, strip);
    label->setProperty("role", QStringLiteral("caption"));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(70, 24);
    auto* list = new QComboBox(strip);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setPlaceholderText(QStringLiteral("请选择"));
    list->setFixedSize(96, 24);
    list->setMaxVisibleItems(12);
    row->addWidget(label);
    row->addWidget(list);
    return list;
  };
  man_ = makeList("ComboBoxNan", QStringLiteral("男方") + itemKind);
  row->addStretch();
  auto* heart = new QLabel(QStringLiteral("配"), strip);
  heart->setFont(SerifFont(18));
  heart->setStyleSheet(QStringLiteral("color:#a31f22;"));
  row->addWidget(heart);
  row->addStretch();
  woman_ = makeList("ComboBoxNv", QStringLiteral("女方") + itemKind);

  result_ = new QTextBrowser(this);
  result_->setObjectName(QStringLiteral("MemoResult"));
  result_->setFont(UiFont(14));
  result_->setOpenLinks(false);
  result_->document()->setDocumentMargin(14);

  auto* close = new QPushButton(QStringLiteral("关闭"), this);
  close->setObjectName(QStringLiteral("BtnClose"));
  close->setFixedSize(80, 26);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->addWidget(heading);
  layout->addWidget(introLabel);
  layout->addWidget(strip);
  layout->addWidget(result_, 1);
  layout->addWidget(close, 0, Qt::AlignHCenter);

  for (QComboBox* list : {man_, woman_})
    connect(list, &QComboBox::currentIndexChanged, this, &MatchDialog::ShowResult);
  ShowResult();
}

void MatchDialog::SetChoices(std::optional<int> man, std::optional<int> woman) {
  man_->setCurrentIndex(man.value_or(-1));
  woman_->setCurrentIndex(woman.value_or(-1));
  ShowResult();
}

QString MatchDialog::ResultText() const { return resultText_; }

void MatchDialog::ShowResult() {
  const int a = man_->currentIndex(), b = woman_->currentIndex();
  if (a < 0 || b < 0) {
    resultText_.clear();
    result_->setHtml(QStringLiteral("<p style=\"color:#8a7058;\">请在上方分别选择男方和女方的%1，结果随即显示在这里。</p>")
                         .arg(itemKind_));
    ConvertWidgetTree(result_);
    return;
  }
  hehun::LineList lines;
  try {
    hehun::RefDb db;
    write_(lines, db, a, b);
  } catch (const std::exception& error) {
    resultText_.clear();
    result_->setHtml(QStringLiteral("<p style=\"color:#a31f22;\">无法读取配对解读：%1</p>")
                         .arg(FromUtf8(error.what()).toHtmlEscaped()));
    ConvertWidgetTree(result_);
    return;
  } catch (const hehun::SilentAbort&) {
    resultText_.clear();
    result_->clear();
    return;
  }
  resultText_ = FromUtf8(lines.Text());
  QString html;
  bool first = true;
  for (const auto& line : lines.lines()) {
    html += LineHtml(FromUtf8(line), first);
    first = false;
  }
  result_->setHtml(html);
  ConvertWidgetTree(result_);
}

}  // namespace hehun::ui
