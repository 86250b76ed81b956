#include "WheelFocus.h"

#include <QEvent>
#include <QWidget>

namespace zenalto::qt {

namespace {

class WheelOnlyWithFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void AcceptWheelOnlyWithFocus(QWidget& control) {
    // A wheel turned over a control with this policy gives it the focus first.
    if (control.focusPolicy() == Qt::WheelFocus) {
        control.setFocusPolicy(Qt::StrongFocus);
    }
    control.installEventFilter(new WheelOnlyWithFocus(&control));
}

}  // namespace zenalto::qt
