#include "layout/WidgetBuilder.h"

#include "LineEditAccessible.h"
#include "ScrollBarKeys.h"
#include "WheelFocus.h"
#include "layout/FontFallbacks.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include "layout/ContrastTheme.h"
#include "layout/Frame.h"
#include "layout/TableRules.h"

namespace zenalto::qt {

using layout::Align;
using layout::Colour;
using layout::Control;
using layout::DroppedListRows;
using layout::focusOrder;
using layout::Font;
using layout::FontPointSize;
using layout::Kind;
using layout::Menu;
using layout::MenuItem;
using layout::pixels;

namespace {

// The program's pictures, embedded by resources/.
constexpr char16_t PictureFolder[] = u":/zenalto/images/";

QString ToQString(std::u16string_view text) {
    return QStringView(text).toString();
}

QString ToQString(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QRect PixelsOf(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

// Only what the control names: the rest, the size above all, comes from its
// container and so from the window.
void ApplyFont(QWidget& widget, const Font& font) {
    if (font.face.empty() && !font.bold) {
        return;
    }
    QFont own;
    if (!font.face.empty()) {
        own.setFamilies({FamilyFor(ToQString(font.face))});
    }
    if (font.bold) {
        own.setBold(true);
    }
    widget.setFont(own);
}

QColor ToQColor(Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Colour colour) {
    QPalette palette;
    palette.setColor(role, ToQColor(colour));
    widget.setPalette(palette);
}

// The colour the table fixes for a control, unless a contrast theme draws
// it in the palette's colour of its kind.
std::optional<Colour> FixedColour(const Control& control) {
    if (ContrastPaletteInUse()) {
        return std::nullopt;
    }
    return control.colour;
}

// What every control has: its name, its place in its container, its font.
void Place(QWidget& widget, const Control& control) {
    widget.setObjectName(ToQString(control.name));
    widget.setGeometry(PixelsOf(control.left, control.top, control.width, control.height));
    ApplyFont(widget, control.font);
}

Qt::Alignment LabelAlignment(Align align) {
    return (align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

QWidget* MakeLabel(const Control& control, QWidget& parent) {
    auto* label = new QLabel(&parent);
    Place(*label, control);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(control.caption));
    label->setAlignment(LabelAlignment(control.align));
    label->setWordWrap(true);
    if (const auto colour = FixedColour(control)) {
        SetPaletteColour(*label, QPalette::WindowText, *colour);
    }
    return label;
}

// A line edit's most characters, as the table says (0: no limit).
int MaxLength(const Control& control) {
    return control.maxLength > 0 ? control.maxLength : std::numeric_limits<int>::max();
}

QWidget* MakeTextBox(const Control& control, QWidget& parent) {
    auto* box = new QLineEdit(&parent);
    Place(*box, control);
    box->setMaxLength(MaxLength(control));
    box->setAlignment(control.align == Align::Centre ? Qt::AlignCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
    box->setText(ToQString(control.caption));
    if (const auto colour = FixedColour(control)) {
        SetPaletteColour(*box, QPalette::Text, *colour);
    }
    return box;
}

QWidget* MakeComboBox(const Control& control, QWidget& parent) {
    auto* combo = new QComboBox(&parent);
    Place(*combo, control);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(DroppedListRows);
    for (const std::u16string_view item : control.items) {
        combo->addItem(ToQString(item));
    }
    // Nothing is selected at start; the edit area shows its own text.
    combo->setCurrentIndex(-1);
    combo->setEditText(ToQString(control.caption));
    // An editable QComboBox completes typed text from its entries and, when
    // its edit area loses focus or takes Enter, selects the entry that matches
    // the text and reports it as chosen. Only a choice from the list may.
    combo->setCompleter(nullptr);
    QLineEdit* edit = combo->lineEdit();
    edit->setMaxLength(MaxLength(control));
    QObject::disconnect(edit, SIGNAL(editingFinished()), combo, nullptr);
    QObject::disconnect(edit, SIGNAL(returnPressed()), combo, nullptr);
    if (const auto colour = FixedColour(control)) {
        SetPaletteColour(*combo, QPalette::Text, *colour);
    }
    return combo;
}

QWidget* MakeScrollBar(const Control& control, QWidget& parent) {
    auto* bar = new QScrollBar(&parent);
    Place(*bar, control);
    bar->setOrientation(Qt::Horizontal);
    bar->setMinimum(control.scroll.minimum);
    bar->setMaximum(control.scroll.maximum);
    bar->setSingleStep(control.scroll.smallChange);
    bar->setPageStep(control.scroll.largeChange);
    bar->setValue(control.scroll.value);
    // A dragged thumb reports its position on release only; arrow and track
    // clicks report at once.
    bar->setTracking(false);
    TakeArrowKeysAsWindows(*bar);
    return bar;
}

QWidget* MakeFrame(const Control& control, QWidget& parent) {
    auto* frame = new Frame(&parent);
    Place(*frame, control);
    frame->setTitle(ToQString(control.caption));
    if (const auto colour = FixedColour(control)) {
        frame->setCaptionColor(ToQColor(*colour));
    }
    return frame;
}

QWidget* MakePushButton(const Control& control, QWidget& parent, bool autoDefault) {
    auto* button = new QPushButton(&parent);
    Place(*button, control);
    button->setText(ToQString(control.caption));
    button->setAutoDefault(autoDefault);
    if (const auto colour = FixedColour(control)) {
        SetPaletteColour(*button, QPalette::ButtonText, *colour);
    }
    return button;
}

QWidget* MakePicture(const Control& control, QWidget& parent) {
    auto* picture = new QLabel(&parent);
    Place(*picture, control);
    picture->setPixmap(QPixmap(QString::fromUtf16(PictureFolder) + ToQString(control.picture)));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QWidget* MakeLine(const Control& control, QWidget& parent) {
    auto* line = new QFrame(&parent);
    Place(*line, control);
    if (ContrastPaletteInUse()) {
        // A rule, as every other mark, in the theme's foreground.
        QPalette palette;
        palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
        line->setPalette(palette);
    } else if (control.colour) {
        SetPaletteColour(*line, QPalette::Window, *control.colour);
    }
    line->setAutoFillBackground(true);
    line->setFrameShape(QFrame::NoFrame);
    return line;
}

}  // namespace

QRect ClientArea(const Window& window) {
    return PixelsOf(window.clientLeft, window.clientTop, window.clientWidth, window.clientHeight);
}

Qt::WindowFlags WindowFlagsOf(Border border) {
    switch (border) {
        case Border::Sizable:
            return Qt::Window;
        case Border::FixedDialog:
            // The close box only, not resizable, on an ordinary top-level
            // window. A dialog or tool window would be transient for the whole
            // program on X11, and window managers such as metacity then keep it
            // above the main window. The task-bar hint is set apart.
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint;
    }
    return Qt::Window;
}

void SetUpWindow(const Window& window, QWidget& widget) {
    widget.setObjectName(ToQString(window.name));
    widget.setWindowTitle(ToQString(window.title));
    QFont font(FamilyFor(ToQString(window.font.face)));
    font.setPointSizeF(FontPointSize);
    if (window.font.bold) {
        font.setBold(true);
    }
    widget.setFont(font);
    if (window.border == Border::FixedDialog) {
        widget.setFixedSize(ClientArea(window).size());
    }
}

QWidget* Controls::widget(std::string_view name) const {
    const auto found = std::find_if(m_widgets.begin(), m_widgets.end(),
                                    [name](const auto& entry) { return entry.first == name; });
    return found != m_widgets.end() ? found->second : nullptr;
}

void Controls::throwMissing(std::string_view name) {
    throw std::logic_error("the layout has no control " + std::string(name) + " of that kind");
}

Controls BuildControls(const Window& window, QWidget& client) {
    // Before any line edit is asked for its interface.
    InstallLineEditAccessible();
    Controls built;
    const Control* const defaultButton = layout::defaultButton(window);
    const bool hasDefault = defaultButton != nullptr;
    for (const Control& control : window.controls) {
        QWidget* parent = &client;
        if (!control.container.empty()) {
            parent = &built.get<Frame>(control.container);
        }
        QWidget* widget = nullptr;
        switch (control.kind) {
            case Kind::Frame:
                widget = MakeFrame(control, *parent);
                break;
            case Kind::Label:
                widget = MakeLabel(control, *parent);
                break;
            case Kind::TextBox:
                widget = MakeTextBox(control, *parent);
                break;
            case Kind::ComboBox:
                widget = MakeComboBox(control, *parent);
                break;
            case Kind::HScrollBar:
                widget = MakeScrollBar(control, *parent);
                break;
            case Kind::PushButton:
                // With a default button, Enter presses the button that has
                // the focus, or else the default one; without, no button.
                widget = MakePushButton(control, *parent, hasDefault);
                break;
            case Kind::Picture:
                widget = MakePicture(control, *parent);
                break;
            case Kind::Line:
                widget = MakeLine(control, *parent);
                break;
        }
        // Tab and a click give the focus to what takes it, and only to that.
        if (layout::takesFocus(control.kind)) {
            widget->setFocusPolicy(Qt::StrongFocus);
        }
        // A list or a scroll bar changes only by a move the user meant, not
        // by a stray wheel turn while the focus is elsewhere.
        if (layout::wheelNeedsFocus(control.kind)) {
            AcceptWheelOnlyWithFocus(*widget);
        }
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(ToQString(control.accessibleName));
        }
        if (!control.accessibleDescription.empty()) {
            widget->setAccessibleDescription(ToQString(control.accessibleDescription));
        }
        built.m_widgets.emplace_back(control.name, widget);
    }

    for (const Control& control : window.controls) {
        if (!control.buddy.empty()) {
            built.get<QLabel>(control.name).setBuddy(built.widget(control.buddy));
        }
    }
    if (defaultButton != nullptr) {
        built.get<QPushButton>(defaultButton->name).setDefault(true);
    }
    if (const Control* cancel = layout::cancelButton(window)) {
        built.m_cancel = &built.get<QPushButton>(cancel->name);
    }
    const std::vector<const Control*> focus = focusOrder(window);
    for (std::size_t i = 1; i < focus.size(); ++i) {
        QWidget::setTabOrder(built.widget(focus[i - 1]->name), built.widget(focus[i]->name));
    }
    return built;
}

QAction& Commands::get(std::string_view name) const {
    const auto found = std::find_if(m_actions.begin(), m_actions.end(),
                                    [name](const auto& entry) { return entry.first == name; });
    if (found == m_actions.end()) {
        throw std::logic_error("the layout has no menu item " + std::string(name));
    }
    return *found->second;
}

Commands BuildMenus(const Window& window, QMenuBar& bar, QWidget& owner) {
    Commands built;
    for (const Menu& menu : window.menus) {
        auto* shown = new QMenu(&bar);
        shown->setObjectName(ToQString(menu.name));
        shown->setTitle(ToQString(menu.caption));
        bar.addAction(shown->menuAction());
        for (const MenuItem& item : menu.items) {
            auto* action = new QAction(&owner);
            action->setObjectName(ToQString(item.name));
            action->setText(ToQString(item.caption));
            shown->addAction(action);
            built.m_actions.emplace_back(item.name, action);
        }
    }
    return built;
}

}  // namespace zenalto::qt
