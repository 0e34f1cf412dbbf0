#include "app/window_closing.h"

#include <QBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace hehun::ui {

QPushButton* AddCloseButton(QWidget* window, QBoxLayout* layout) {
  auto* button = new QPushButton(QStringLiteral("关闭"), window);
  button->setObjectName(QStringLiteral("ButtonClose"));
  button->setCursor(Qt::PointingHandCursor);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, window, &QWidget::close);
  if (layout != nullptr) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    layout->addLayout(row);
  }
  return button;
}

void CloseOnEscape(QWidget* window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void CentreOnOwner(QWidget* window, const QWidget* owner) {
  if (owner == nullptr) return;
  const QWidget* top = owner->window();
  const QRect frame = top->frameGeometry();
  const QSize size = window->frameGeometry().size().isEmpty() ? window->size() : window->frameGeometry().size();
  window->move(frame.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace hehun::ui
