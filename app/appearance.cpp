#include "app/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace hehun::ui {

QFont UiFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("SimSun"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei")});
  font.setPixelSize(pixelSize);
  return font;
}

QFont ReportFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("SimSun"),
                    QStringLiteral("WenQuanYi Micro Hei Mono"), QStringLiteral("monospace")});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pixelSize);
  return font;
}

QFont SerifFont(int pixelSize, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void ApplyAppearance(QApplication& app) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
  QPalette pal = app.palette();
  pal.setColor(QPalette::Window, palette::kPaper);
  pal.setColor(QPalette::WindowText, palette::kInk);
  pal.setColor(QPalette::Base, QColor(0xff, 0xfd, 0xf8));
  pal.setColor(QPalette::AlternateBase, palette::kPaperShade);
  pal.setColor(QPalette::Text, palette::kInk);
  pal.setColor(QPalette::Button, QColor(0xf7, 0xee, 0xdc));
  pal.setColor(QPalette::ButtonText, palette::kInk);
  pal.setColor(QPalette::Highlight, palette::kCinnabar);
  pal.setColor(QPalette::HighlightedText, Qt::white);
  pal.setColor(QPalette::ToolTipBase, QColor(0xff, 0xf8, 0xe6));
  pal.setColor(QPalette::ToolTipText, palette::kInk);
  app.setPalette(pal);
  app.setFont(UiFont(12));
}

QString MainStyleSheet() {
  return QStringLiteral(R"(
QPushButton {
  color: #fff7e6;
  border: 1px solid #7a1414;
  border-radius: 4px;
  padding: 2px 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c4382f, stop:1 #8e1a1b);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #d84a3e, stop:1 #a32322); }
QPushButton:pressed { background: #7a1414; }
QPushButton:focus { border: 1px solid #e0b963; }
QPushButton#RzBitBtn2, QPushButton#RzButton2, QPushButton#RzBitBtn32 { font-weight: bold; }
QPushButton#RzBitBtn24, QPushButton#RzBitBtn4 { padding: 2px 3px; }
QLabel[role="caption"] {
  color: #fff7e6;
  font-weight: bold;
  border-radius: 3px;
  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #a31f22, stop:1 #c0493a);
}
QLabel[role="note"] { color: #8a7058; }
QFrame[role="strip"] {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #f3e7cd);
  border: 1px solid #dcc59a;
  border-radius: 4px;
}
QPlainTextEdit, QTextEdit {
  background: #fffdf8;
  border: 1px solid #dcc59a;
  border-radius: 3px;
  selection-background-color: #a31f22;
}
)");
}

}  // namespace hehun::ui
