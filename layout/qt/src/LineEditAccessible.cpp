#include "LineEditAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace zenalto::qt {

namespace {

class LineEditAccessible final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) {
            return readable() ? edit().text() : edit().displayText();
        }
        QString said = QAccessibleWidget::text(type);
        if (type == QAccessible::Name && said.isEmpty()) {
            said = nameFromBeside();
        }
        return said;
    }

    void setText(QAccessible::Text type, const QString& text) override {
        if (type == QAccessible::Value) {
            edit().setText(text);
        } else {
            QAccessibleWidget::setText(type, text);
        }
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit().isReadOnly();
        state.editable = !edit().isReadOnly();
        state.passwordEdit = edit().echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // QAccessibleTextInterface

    [[nodiscard]] QString attributes(int offset, int* startOffset, int* endOffset) const override {
        // No attributes, in one run over the whole text.
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *startOffset = *endOffset = -1;
        } else {
            *startOffset = 0;
            *endOffset = count;
        }
        return {};
    }

    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(edit().text().size());
    }

    [[nodiscard]] QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset || !readable()) {
            return {};
        }
        return edit().text().mid(startOffset, endOffset - startOffset);
    }

    [[nodiscard]] QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                           int* startOffset, int* endOffset) const override {
        if (!readable()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        return QAccessibleTextInterface::textBeforeOffset(atCursor(offset), boundary, startOffset,
                                                          endOffset);
    }
    [[nodiscard]] QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                          int* startOffset, int* endOffset) const override {
        if (!readable()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        return QAccessibleTextInterface::textAfterOffset(atCursor(offset), boundary, startOffset,
                                                         endOffset);
    }
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                       int* startOffset, int* endOffset) const override {
        if (!readable()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        return QAccessibleTextInterface::textAtOffset(atCursor(offset), boundary, startOffset,
                                                      endOffset);
    }

    [[nodiscard]] int cursorPosition() const override { return edit().cursorPosition(); }
    void setCursorPosition(int position) override { edit().setCursorPosition(position); }

    [[nodiscard]] int selectionCount() const override { return edit().hasSelectedText() ? 1 : 0; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && edit().hasSelectedText()) {
            *startOffset = edit().selectionStart();
            *endOffset = *startOffset + edit().selectionLength();
        }
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            edit().deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            edit().setSelection(startOffset, endOffset - startOffset);
        }
    }

    [[nodiscard]] QRect characterRect(int offset) const override {
        const QString shown = edit().displayText();
        if (offset < 0 || offset >= shown.size()) {
            return {};
        }
        // The middle of a character is where cursorPositionAt() turns from
        // the cursor before it to the one after: found by halving, it places
        // the character as the line edit draws it, aligned and scrolled.
        const QRect box = edit().rect();
        int left = box.left();
        int right = box.right() + 1;
        while (left < right) {
            const int middle = left + (right - left) / 2;
            if (edit().cursorPositionAt(QPoint(middle, box.center().y())) > offset) {
                right = middle;
            } else {
                left = middle + 1;
            }
        }
        const QFontMetrics metrics(edit().font());
        const int width = metrics.horizontalAdvance(shown.at(offset));
        const QRect character(left - width / 2, box.center().y() - metrics.height() / 2, width,
                              metrics.height());
        return {edit().mapToGlobal(character.topLeft()), character.size()};
    }

    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        return edit().cursorPositionAt(edit().mapFromGlobal(point));
    }

    void scrollToSubstring(int startIndex, int endIndex) override {
        edit().setCursorPosition(endIndex);
        edit().setCursorPosition(startIndex);
    }

    // QAccessibleEditableTextInterface

    void deleteText(int startOffset, int endOffset) override {
        edit().setText(edit().text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override {
        edit().setText(edit().text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        edit().setText(edit().text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    [[nodiscard]] QLineEdit& edit() const { return *static_cast<QLineEdit*>(widget()); }

    // A password's characters are not read out.
    [[nodiscard]] bool readable() const { return edit().echoMode() == QLineEdit::Normal; }

    // -2 stands for the cursor's offset.
    [[nodiscard]] int atCursor(int offset) const {
        return offset == -2 ? cursorPosition() : offset;
    }

    // A field without a name of its own is named by the label whose buddy
    // it is, or by the group box around it.
    [[nodiscard]] QString nameFromBeside() const {
        const QWidget* parent = edit().parentWidget();
        if (parent == nullptr) {
            return {};
        }
        for (const QObject* sibling : parent->children()) {
            const auto* label = qobject_cast<const QLabel*>(sibling);
            if (label != nullptr && label->buddy() == widget()) {
                return QString(label->text()).remove(QLatin1Char('&'));
            }
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(parent)) {
            return QString(group->title()).remove(QLatin1Char('&'));
        }
        return {};
    }
};

QAccessibleInterface* LineEditFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLineEdit") && object != nullptr && object->isWidgetType()) {
        return new LineEditAccessible(static_cast<QLineEdit*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallLineEditAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(&LineEditFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace zenalto::qt
