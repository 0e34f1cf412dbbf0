// The pictures the program paints for itself: the main window's background
// (title bar, the band of page buttons with their medallions and labels,
// the frame of the page area) and the picture of the function page (group
// headings and the labelled icons under its buttons). The tables below place
// both the painted icons and the transparent buttons laid over them.
#pragma once

#include <QPixmap>
#include <QRect>
#include <array>

namespace hehun::ui {

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 590;

// The page buttons across the top (75 × 77 at y = 23).
struct TopButtonPlace {
  const char* objectName;
  int x;
  const char* hint;   // tool tip
  const char* label;  // painted under the medallion
  const char* glyph;  // painted inside the medallion
};
inline constexpr int kTopButtonY = 23;
inline constexpr int kTopButtonWidth = 75;
inline constexpr int kTopButtonHeight = 77;
extern const std::array<TopButtonPlace, 7> kTopButtons;

// The four small buttons of the title bar.
struct TitleButtonPlace {
  const char* objectName;
  QRect rect;
  const char* hint;
};
extern const std::array<TitleButtonPlace, 4> kTitleButtons;

// The drag strip over the painted title bar.
inline constexpr QRect kDragStrip{2, 1, 663, 18};

// The function page: 24 buttons of 71 × 71 in four rows.
inline constexpr int kFunctionPictureWidth = 788;
inline constexpr int kFunctionPictureHeight = 457;
inline constexpr int kFunctionButtonSize = 71;
inline constexpr std::array<int, 4> kFunctionRowY{25, 104, 182, 260};
struct FunctionButtonPlace {
  const char* objectName;
  int row;  // 0 to 3, also the group of the painted heading
  int x;
  const char* label;
  const char* glyph;
};
extern const std::array<FunctionButtonPlace, 24> kFunctionButtons;
extern const std::array<const char*, 4> kFunctionGroups;

// 800 × 590.
QPixmap MainBackground();
// 788 × 457.
QPixmap FunctionPagePicture();

}  // namespace hehun::ui
