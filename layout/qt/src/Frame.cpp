#include "layout/Frame.h"

#include <QStyleOptionGroupBox>

namespace zenalto::qt {

void Frame::initStyleOption(QStyleOptionGroupBox* option) const {
    QGroupBox::initStyleOption(option);
    if (m_captionColor.isValid()) {
        option->textColor = m_captionColor;
    }
}

}  // namespace zenalto::qt
