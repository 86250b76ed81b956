// The floor of the start-up benchmark: a bare Qt Widgets program with the
// main window's shape and nothing else. A main window with a menu bar (two
// menus, five items), three group boxes, seven labels, four line edits, an
// editable combo box of ten items, a horizontal scroll bar and four buttons,
// all at fixed places; the default style and font, no icon, no substitutions.
// Whatever Zenalto spends beyond this program is its own doing.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLineEdit* AddLineEdit(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* edit = new QLineEdit(text, parent);
    edit->setGeometry(geometry);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QPushButton* AddButton(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor: a bare window of the same shape"));

    QMenu* first = window.menuBar()->addMenu(QStringLiteral("&First"));
    first->addAction(QStringLiteral("&One"));
    first->addAction(QStringLiteral("&Two"));
    first->addAction(QStringLiteral("T&hree"));
    QMenu* second = window.menuBar()->addMenu(QStringLiteral("&Second"));
    second->addAction(QStringLiteral("&Four"));
    second->addAction(QStringLiteral("Fi&ve..."));

    auto* central = new QWidget(&window);
    window.setCentralWidget(central);

    auto* buttonFrame = new QGroupBox(central);
    buttonFrame->setGeometry(112, 264, 345, 73);

    auto* inputs = new QGroupBox(QStringLiteral("Input values"), central);
    inputs->setGeometry(8, 24, 241, 209);
    AddLabel(inputs, QStringLiteral("First input value"), {16, 32, 65, 33});
    AddLabel(inputs, QStringLiteral("u1"), {184, 40, 25, 17});
    AddLabel(inputs, QStringLiteral("Second input"), {8, 104, 73, 25});
    AddLabel(inputs, QStringLiteral("u2"), {184, 152, 25, 17});
    AddLineEdit(inputs, QStringLiteral("100"), {120, 32, 65, 25});
    AddLineEdit(inputs, QStringLiteral("1234.567"), {96, 144, 89, 25});
    auto* combo = new QComboBox(inputs);
    combo->setGeometry(96, 112, 105, 22);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int item = 1; item <= 10; ++item) {
        combo->addItem(QStringLiteral("ITEM %1").arg(item));
    }
    combo->setEditText(QStringLiteral("Item 7"));

    auto* outputs = new QGroupBox(QStringLiteral("Output values"), central);
    outputs->setGeometry(264, 24, 249, 209);
    AddLabel(outputs, QStringLiteral("First output"), {16, 72, 81, 25});
    AddLabel(outputs, QStringLiteral("u3"), {184, 80, 25, 17});
    AddLabel(outputs, QStringLiteral("u4"), {184, 128, 33, 17});
    AddLineEdit(outputs, QStringLiteral("0"), {104, 72, 81, 25});
    AddLineEdit(outputs, QStringLiteral("0"), {104, 120, 81, 25});

    AddButton(central, QStringLiteral("One"), {152, 288, 65, 25});
    AddButton(central, QStringLiteral("Two"), {216, 288, 57, 25});
    AddButton(central, QStringLiteral("Three"), {272, 288, 65, 25});
    AddButton(central, QStringLiteral("Four..."), {336, 288, 73, 25});

    auto* scrollBar = new QScrollBar(Qt::Horizontal, central);
    scrollBar->setGeometry(104, 96, 105, 17);
    scrollBar->setRange(100, 900);

    window.setGeometry(147, 135 - window.menuBar()->sizeHint().height(), 522,
                       369 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
