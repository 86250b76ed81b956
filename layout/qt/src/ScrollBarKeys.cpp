#include "ScrollBarKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace zenalto::qt {

namespace {

class ArrowKeysAsWindows final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* bar = static_cast<QScrollBar*>(watched);
            const auto* key = static_cast<QKeyEvent*>(event);
            // Mirrored, the upper end is at the left.
            const bool forward =
                bar->isRightToLeft() ? key->key() == Qt::Key_Left : key->key() == Qt::Key_Right;
            const bool back =
                bar->isRightToLeft() ? key->key() == Qt::Key_Right : key->key() == Qt::Key_Left;
            if (forward || back) {
                bar->triggerAction(forward ? QAbstractSlider::SliderSingleStepAdd
                                           : QAbstractSlider::SliderSingleStepSub);
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void TakeArrowKeysAsWindows(QScrollBar& bar) {
    bar.installEventFilter(new ArrowKeysAsWindows(&bar));
}

}  // namespace zenalto::qt
