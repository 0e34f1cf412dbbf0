// The title-bar button that opens the window 档案: a transparent picture
// button like its neighbours, drawing its own small icon (a closed folder
// with a label) since the painted title bar has none for it.
#pragma once

#include "app/picture_button.h"

namespace hehun::ui {

class RecordsTitleButton : public PictureButton {
  Q_OBJECT
 public:
  explicit RecordsTitleButton(QWidget* parent);

  // Its place: the free slot left of 官方网站 at the end of the drag strip.
  static QRect Place();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace hehun::ui
