// The look of the program: its fonts, colours and widget style, shared by
// the painted pictures and the controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;

namespace hehun::ui {

namespace palette {
inline const QColor kCinnabar{0xa3, 0x1f, 0x22};     // main red
inline const QColor kDeepRed{0x6c, 0x10, 0x12};      // title bar, shadows
inline const QColor kGold{0xe0, 0xb9, 0x63};         // rims and painted text
inline const QColor kPaleGold{0xf6, 0xe3, 0xb4};
inline const QColor kPaper{0xfb, 0xf6, 0xea};        // page background
inline const QColor kPaperShade{0xf1, 0xe6, 0xcf};
inline const QColor kInk{0x3b, 0x2a, 0x1e};          // body text
inline const QColor kMutedInk{0x8a, 0x70, 0x58};
}  // namespace palette

// The body font of the windows (a CJK sans face at the given pixel size).
QFont UiFont(int pixelSize = 12);
// The font of report areas: a face whose Chinese characters are exactly two
// Latin characters wide, so the blank-aligned columns of reports line up.
QFont ReportFont(int pixelSize = 13);
// The serif face of painted headings and medallions.
QFont SerifFont(int pixelSize, bool bold = true);

// Widget style, palette and font of the whole application.
void ApplyAppearance(QApplication& app);

// Style sheet of the main window's controls.
QString MainStyleSheet();

}  // namespace hehun::ui
