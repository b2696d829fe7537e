#include "framework/ActionButton.h"

#include <QKeyEvent>

void ActionButtonWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // Taken even when repeated, so that holding the key never reaches the default button.
    if (!event->isAutoRepeat())
        click();
}
