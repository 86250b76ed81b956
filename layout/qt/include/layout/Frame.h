#pragma once

// A group box whose caption can be drawn in a colour of its own. The caption
// colour of a QGroupBox comes from its palette's Text role, which its children
// inherit; this keeps the colour to the caption alone.

#include <QColor>
#include <QGroupBox>

namespace zenalto::qt {

class Frame : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)

public:
    explicit Frame(QWidget* parent = nullptr) : QGroupBox(parent) {}

    [[nodiscard]] QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(const QColor& color) {
        m_captionColor = color;
        update();
    }

protected:
    void initStyleOption(QStyleOptionGroupBox* option) const override;

private:
    QColor m_captionColor;  // invalid: the style's own colour
};

}  // namespace zenalto::qt
