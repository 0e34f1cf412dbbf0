#include "app/artwork.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "app/appearance.h"
#include "app/contacts.h"
#include "app/ui_script.h"

namespace hehun::ui {

const std::array<TopButtonPlace, 7> kTopButtons{{
    {"RzToolButton2", 8, "八字合婚", "八字合婚", "合"},
    {"RzToolButton1", 90, "生辰八字详细分析", "八字分析", "命"},
    {"RzToolButton3", 172, "星座分析", "星座分析", "星"},
    {"RzToolButton4", 254, "结婚和订婚吉日", "结婚吉日", "囍"},
    {"RzToolButton5", 336, "黄道吉日", "黄道吉日", "历"},
    {"RzToolButton7", 418, "合婚知识及方法参考", "合婚百科", "典"},
    {"RzToolButton8", 500, "缘分测试、民俗预测及吉祥数字等功能", "功能大全", "全"},
}};

const std::array<TitleButtonPlace, 4> kTitleButtons{{
    {"RzToolButton9", QRect(692, 1, 24, 18), "官方网站"},
    {"RzToolButton10", QRect(718, 1, 24, 18), "关于我们"},
    {"RzToolButton11", QRect(744, 1, 24, 18), "最小化"},
    {"RzToolButton12", QRect(770, 1, 24, 18), "关闭"},
}};

const std::array<FunctionButtonPlace, 24> kFunctionButtons{{
    {"RzToolButton19", 0, 96, "缘分测试", "缘"},
    {"RzToolButton20", 0, 181, "星座配对", "星"},
    {"RzToolButton21", 0, 266, "生肖配对", "肖"},
    {"RzToolButton22", 0, 352, "血型配对", "血"},
    {"RzToolButton23", 0, 437, "QQ号缘分", "友"},
    {"RzToolButton15", 0, 522, "周公解梦", "梦"},
    {"RzToolButton25", 1, 96, "喷嚏预测", "嚏"},
    {"RzToolButton26", 1, 181, "面热预测", "面"},
    {"RzToolButton27", 1, 266, "心惊预测", "惊"},
    {"RzToolButton28", 1, 352, "犬吠预测", "犬"},
    {"RzToolButton29", 1, 437, "眼跳预测", "眼"},
    {"RzToolButton30", 1, 522, "耳热预测", "耳"},
    {"RzToolButton24", 1, 602, "耳鸣预测", "鸣"},
    {"RzToolButton31", 2, 96, "文字五行", "字"},
    {"RzToolButton32", 2, 181, "手机号码", "机"},
    {"RzToolButton33", 2, 266, "QQ号分析", "Q"},
    {"RzToolButton34", 2, 352, "更多数字", "数"},
    {"RzToolButton35", 2, 437, "网名分析", "昵"},
    {"RzToolButton36", 2, 522, "万年历法", "历"},
    {"RzToolButton13", 2, 602, "生男生女", "孕"},
    {"RzToolButton37", 3, 96, "起名服务", "名"},
    {"RzToolButton38", 3, 181, "联系QQ号", "聊"},
    {"RzToolButton39", 3, 266, "发送邮件", "邮"},
    {"RzToolButton40", 3, 352, "官方网站", "站"},
}};

const std::array<const char*, 4> kFunctionGroups{{"缘分测试", "民俗预测", "数字吉祥", "关于我们"}};

namespace {

// The painted texts follow the script the user chose.
QString Utf8(const char* text) { return Shown(QString::fromUtf8(text)); }

// A medallion's single character has no word around it to tell its sense;
// the 历 of the two calendar medallions is the calendar (曆), not the 歷 of
// history that a lone 历 converts to, so it is converted inside 日历.
QString GlyphShown(const char* glyph) {
  const QString g = QString::fromUtf8(glyph);
  if (g == QStringLiteral("历")) return Shown(QStringLiteral("日历")).right(1);
  return Shown(g);
}

// A pixmap of `width` × `height` logical pixels at the screen's device pixel
// ratio, so that the pictures stay sharp on HiDPI screens (the painter
// scales; the drawing code keeps its logical coordinates).
QPixmap DevicePixmap(int width, int height) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(qCeil(width * ratio), qCeil(height * ratio)));
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

// A faint repeated cloud scroll, the traditional 祥云 motif, in one colour.
void PaintCloud(QPainter& p, QPointF at, qreal scale, const QColor& color) {
  p.save();
  p.translate(at);
  p.scale(scale, scale);
  QPen pen(color, 1.6);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(-22, 6);
  path.cubicTo(-22, -6, -8, -8, -6, 0);
  path.cubicTo(-4, -12, 14, -12, 14, 0);
  path.cubicTo(22, -2, 26, 6, 20, 8);
  path.lineTo(-22, 8);
  p.drawPath(path);
  p.drawArc(QRectF(-10, -4, 8, 8), 0, 180 * 16);
  p.drawArc(QRectF(2, -6, 8, 8), 0, 200 * 16);
  p.restore();
}

// A round medallion with a gold rim and a character in the middle.
void PaintMedallion(QPainter& p, QPointF centre, qreal radius, const QString& glyph) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(centre + QPointF(1.5, 2.5), radius, radius);

  QRadialGradient rim(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.6);
  rim.setColorAt(0, QColor(0xff, 0xf0, 0xbf));
  rim.setColorAt(0.5, palette::kGold);
  rim.setColorAt(1, QColor(0x9c, 0x6f, 0x23));
  p.setBrush(rim);
  p.drawEllipse(centre, radius, radius);

  QRadialGradient face(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.4);
  face.setColorAt(0, QColor(0xe2, 0x4a, 0x36));
  face.setColorAt(0.7, QColor(0xa3, 0x1f, 0x22));
  face.setColorAt(1, QColor(0x70, 0x10, 0x12));
  p.setBrush(face);
  const qreal inner = radius - 3;
  p.drawEllipse(centre, inner, inner);

  p.setPen(QPen(QColor(0xf6, 0xe3, 0xb4, 150), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, inner - 3, inner - 3);

  p.setFont(SerifFont(qRound(radius * 0.95)));
  p.setPen(QColor(0x5a, 0x0c, 0x0c, 160));
  const QRectF box(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
  p.drawText(box.translated(1, 1), Qt::AlignCenter, glyph);
  p.setPen(palette::kPaleGold);
  p.drawText(box, Qt::AlignCenter, glyph);
  p.restore();
}

void PaintTitleBar(QPainter& p) {
  const QRect bar(0, 0, kWindowWidth, 21);
  QLinearGradient g(bar.topLeft(), bar.bottomLeft());
  g.setColorAt(0, QColor(0x84, 0x16, 0x18));
  g.setColorAt(1, palette::kDeepRed);
  p.fillRect(bar, g);

  // The emblem: a small gold disc with 囍.
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kGold);
  p.drawEllipse(QPointF(12, 10.5), 8, 8);
  p.setFont(SerifFont(11));
  p.setPen(palette::kDeepRed);
  p.drawText(QRectF(4, 2, 16, 17), Qt::AlignCenter, Shown(QStringLiteral("囍")));

  QFont title = UiFont(12);
  title.setBold(true);
  p.setFont(title);
  p.setPen(palette::kPaleGold);
  p.drawText(QRect(26, 0, 300, 21), Qt::AlignVCenter | Qt::AlignLeft, Shown(QStringLiteral("瑞祺八字合婚配软件")));
  const int titleWidth = QFontMetrics(title).horizontalAdvance(Shown(QStringLiteral("瑞祺八字合婚配软件")));
  p.setFont(UiFont(11));
  p.setPen(QColor(0xf6, 0xe3, 0xb4, 170));
  p.drawText(QRect(26 + titleWidth + 10, 0, 300, 21), Qt::AlignVCenter | Qt::AlignLeft,
             Shown(QStringLiteral("传统八字合婚 · 生辰分析 · 择吉参考")));

  // Glyphs of the four title-bar buttons.
  p.setPen(QPen(palette::kPaleGold, 1.3));
  p.setBrush(Qt::NoBrush);
  const QPointF web = QRectF(kTitleButtons[0].rect).center();
  p.drawEllipse(web, 6, 6);
  p.drawEllipse(web, 2.6, 6);
  p.drawLine(web + QPointF(-6, 0), web + QPointF(6, 0));
  const QPointF about = QRectF(kTitleButtons[1].rect).center();
  p.drawEllipse(about, 6, 6);
  p.setBrush(palette::kPaleGold);
  p.drawEllipse(about + QPointF(0, -3), 0.9, 0.9);
  p.setBrush(Qt::NoBrush);
  p.drawLine(about + QPointF(0, -0.8), about + QPointF(0, 3.6));
  const QPointF minimise = QRectF(kTitleButtons[2].rect).center();
  p.setPen(QPen(palette::kPaleGold, 1.8));
  p.drawLine(minimise + QPointF(-5, 3), minimise + QPointF(5, 3));
  const QPointF close = QRectF(kTitleButtons[3].rect).center();
  p.drawLine(close + QPointF(-4.5, -4.5), close + QPointF(4.5, 4.5));
  p.drawLine(close + QPointF(-4.5, 4.5), close + QPointF(4.5, -4.5));
  p.setRenderHint(QPainter::Antialiasing, false);
}

void PaintButtonBand(QPainter& p) {
  const QRect band(0, 21, kWindowWidth, 83);
  QLinearGradient g(band.topLeft(), band.bottomLeft());
  g.setColorAt(0, QColor(0xb7, 0x2a, 0x27));
  g.setColorAt(0.55, QColor(0x9b, 0x1d, 0x1f));
  g.setColorAt(1, QColor(0x7a, 0x13, 0x15));
  p.fillRect(band, g);

  p.setRenderHint(QPainter::Antialiasing);
  const QColor faint(0xff, 0xd9, 0x90, 28);
  for (int i = 0; i < 11; ++i) {
    const qreal x = 30 + i * 78 + (i % 2) * 18;
    const qreal y = 40 + (i % 3) * 22;
    PaintCloud(p, QPointF(x, y), 1.0 + (i % 2) * 0.3, faint);
  }
  p.fillRect(QRect(0, 21, kWindowWidth, 1), QColor(0xe0, 0xb9, 0x63, 120));
  p.fillRect(QRect(0, 102, kWindowWidth, 2), palette::kGold);

  QFont label = UiFont(12);
  label.setBold(true);
  for (const TopButtonPlace& b : kTopButtons) {
    const QPointF centre(b.x + kTopButtonWidth / 2.0, kTopButtonY + 27);
    PaintMedallion(p, centre, 23, GlyphShown(b.glyph));
    p.setFont(label);
    const QRect text(b.x, kTopButtonY + 56, kTopButtonWidth, 18);
    p.setPen(QColor(0x4a, 0x08, 0x08, 150));
    p.drawText(text.translated(1, 1), Qt::AlignCenter, Utf8(b.label));
    p.setPen(QColor(0xff, 0xf4, 0xdc));
    p.drawText(text, Qt::AlignCenter, Utf8(b.label));
  }

  // The motto at the right end of the band.
  const QRect motto(596, 30, 192, 44);
  p.setFont(SerifFont(28));
  p.setPen(QColor(0x4a, 0x08, 0x08, 140));
  p.drawText(motto.translated(2, 2), Qt::AlignCenter, Shown(QStringLiteral("天作之合")));
  p.setPen(palette::kGold);
  p.drawText(motto, Qt::AlignCenter, Shown(QStringLiteral("天作之合")));
  p.setFont(UiFont(11));
  p.setPen(QColor(0xf6, 0xe3, 0xb4, 220));
  p.drawText(QRect(596, 74, 192, 18), Qt::AlignCenter, Shown(QStringLiteral("以传统命理为良缘作参考")));
  p.setRenderHint(QPainter::Antialiasing, false);
}

void PaintBody(QPainter& p) {
  const QRect body(0, 104, kWindowWidth, kWindowHeight - 104);
  QLinearGradient g(body.topLeft(), body.bottomLeft());
  g.setColorAt(0, QColor(0xf3, 0xe6, 0xcb));
  g.setColorAt(1, QColor(0xe9, 0xd8, 0xb6));
  p.fillRect(body, g);

  // The frame around the page area (the panel lies at 5, 106, 790 × 456).
  p.setPen(QColor(0xc9, 0xa8, 0x6c));
  p.setBrush(palette::kPaper);
  p.drawRect(QRect(4, 105, 791, 457));

  // Footer.
  p.setFont(UiFont(11));
  p.setPen(palette::kMutedInk);
  p.drawText(QRect(12, 564, 500, 24), Qt::AlignVCenter | Qt::AlignLeft,
             Shown(QStringLiteral("版本 1.0　　分析结果依据传统命理推算，仅供参考")));
  p.drawText(QRect(488, 564, 300, 24), Qt::AlignVCenter | Qt::AlignRight, ReadContacts().web.host());  // contacts.ini

  // A thin red border around the whole window, filled rather than stroked so
  // that it reaches the outermost device pixels at any scale.
  for (const QRect& edge : {QRect(0, 0, kWindowWidth, 1), QRect(0, kWindowHeight - 1, kWindowWidth, 1),
                            QRect(0, 0, 1, kWindowHeight), QRect(kWindowWidth - 1, 0, 1, kWindowHeight)})
    p.fillRect(edge, palette::kDeepRed);
}

// The colour of each function group's tiles.
struct GroupColours {
  QColor light, dark;
};
GroupColours GroupColour(int group) {
  switch (group) {
    case 0: return {QColor(0xe8, 0x6a, 0x7a), QColor(0xa8, 0x2d, 0x4a)};  // rose: 缘分
    case 1: return {QColor(0x4f, 0xae, 0x9b), QColor(0x1f, 0x6e, 0x62)};  // jade: 民俗
    case 2: return {QColor(0xe9, 0xa9, 0x3f), QColor(0xa8, 0x64, 0x12)};  // amber: 数字
    default: return {QColor(0x5d, 0x86, 0xc6), QColor(0x2b, 0x4b, 0x86)}; // indigo: 关于
  }
}

void PaintTile(QPainter& p, const FunctionButtonPlace& b) {
  const int y = kFunctionRowY[b.row];
  const QRectF tile(b.x + 12.5, y + 2, 46, 46);
  const GroupColours c = GroupColour(b.row);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6a, 0x4a, 0x2a, 50));
  p.drawRoundedRect(tile.translated(1.5, 2.5), 10, 10);
  QLinearGradient g(tile.topLeft(), tile.bottomRight());
  g.setColorAt(0, c.light);
  g.setColorAt(1, c.dark);
  p.setBrush(g);
  p.setPen(QPen(QColor(0xff, 0xff, 0xff, 140), 1));
  p.drawRoundedRect(tile, 10, 10);
  // A soft gloss over the upper half.
  QLinearGradient gloss(tile.topLeft(), QPointF(tile.left(), tile.center().y()));
  gloss.setColorAt(0, QColor(255, 255, 255, 90));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawRoundedRect(tile.adjusted(2, 2, -2, -tile.height() / 2), 8, 8);

  p.setFont(SerifFont(24));
  p.setPen(QColor(0, 0, 0, 70));
  p.drawText(tile.translated(1, 1), Qt::AlignCenter, GlyphShown(b.glyph));
  p.setPen(Qt::white);
  p.drawText(tile, Qt::AlignCenter, GlyphShown(b.glyph));

  p.setFont(UiFont(12));
  p.setPen(palette::kInk);
  p.drawText(QRectF(b.x - 6, y + 51, kFunctionButtonSize + 12, 18), Qt::AlignCenter, Utf8(b.label));
}

// A vertical seal with a group heading in two lines of two characters.
void PaintGroupHeading(QPainter& p, int row, const QString& heading) {
  const int y = kFunctionRowY[row];
  const QRectF seal(22, y + 6, 52, 58);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6a, 0x10, 0x12, 60));
  p.drawRoundedRect(seal.translated(1.5, 2), 5, 5);
  QLinearGradient g(seal.topLeft(), seal.bottomLeft());
  g.setColorAt(0, QColor(0xc0, 0x33, 0x2c));
  g.setColorAt(1, QColor(0x8e, 0x17, 0x19));
  p.setBrush(g);
  p.drawRoundedRect(seal, 5, 5);
  p.setPen(QPen(QColor(0xf6, 0xe3, 0xb4, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(seal.adjusted(3, 3, -3, -3), 3, 3);
  p.setFont(SerifFont(17));
  p.setPen(QColor(0xff, 0xf4, 0xdc));
  p.drawText(QRectF(seal.left(), seal.top() + 5, seal.width(), 24), Qt::AlignCenter, heading.left(2));
  p.drawText(QRectF(seal.left(), seal.top() + 29, seal.width(), 24), Qt::AlignCenter, heading.mid(2));
}

}  // namespace

QPixmap MainBackground() {
  QPixmap pixmap = DevicePixmap(kWindowWidth, kWindowHeight);
  pixmap.fill(palette::kPaper);
  QPainter p(&pixmap);
  PaintTitleBar(p);
  PaintButtonBand(p);
  PaintBody(p);
  return pixmap;
}

QPixmap FunctionPagePicture() {
  QPixmap pixmap = DevicePixmap(kFunctionPictureWidth, kFunctionPictureHeight);
  QPainter p(&pixmap);
  QLinearGradient g(0, 0, 0, kFunctionPictureHeight);
  g.setColorAt(0, QColor(0xfd, 0xf9, 0xef));
  g.setColorAt(1, QColor(0xf4, 0xe9, 0xd2));
  p.fillRect(QRect(0, 0, kFunctionPictureWidth, kFunctionPictureHeight), g);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  for (int row = 0; row < 4; ++row) {
    const int y = kFunctionRowY[row];
    // A pale band behind each row, with a gold rule under it.
    QLinearGradient band(0, y - 4, kFunctionPictureWidth, y - 4);
    band.setColorAt(0, QColor(0xf3, 0xe2, 0xc0, 200));
    band.setColorAt(1, QColor(0xf3, 0xe2, 0xc0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(12, y - 3, 760, 76), 8, 8);
    p.setPen(QPen(QColor(0xd6, 0xb7, 0x78, 160), 1, Qt::DotLine));
    p.drawLine(QPointF(88, y + 74), QPointF(770, y + 74));
    PaintGroupHeading(p, row, Utf8(kFunctionGroups[row]));
  }
  for (const FunctionButtonPlace& b : kFunctionButtons) PaintTile(p, b);

  // The foot of the page.
  const int footY = 356;
  p.setPen(QPen(palette::kGold, 1));
  p.drawLine(QPointF(60, footY), QPointF(728, footY));
  p.setBrush(palette::kGold);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(394, footY), 3, 3);
  for (int i = 0; i < 3; ++i) PaintCloud(p, QPointF(140 + i * 254, footY + 44), 1.6, QColor(0xc9, 0xa8, 0x6c, 70));
  p.setFont(SerifFont(18));
  p.setPen(palette::kCinnabar);
  p.drawText(QRect(0, footY + 14, kFunctionPictureWidth, 28), Qt::AlignCenter,
             Shown(QStringLiteral("民俗小工具 · 点击图标即可使用")));
  p.setFont(UiFont(12));
  p.setPen(palette::kMutedInk);
  p.drawText(QRect(0, footY + 48, kFunctionPictureWidth, 20), Qt::AlignCenter,
             Shown(QStringLiteral("民俗预测与数字吉凶均为流传的传统说法，只作参考，不作决断的依据。")));
  return pixmap;
}

}  // namespace hehun::ui
