// The Qt main window driven as a user drives it: clicks, keys, the menu by its
// access keys, the scroll bar's arrows and the ellipsoid list, with every
// message box and the end of the program watched through a fake platform.
// What each command does is tested without a toolkit, in
// Form1CommandsTest.cpp; here, that the window is laid out as its table says
// and that each user action reaches its command.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include "Form1Fixture.h"
#include "ProgramTexts.h"
#include "main_window/Form1Layout.h"

namespace {

constexpr int TwipsPerPixel = 15;

// An About dialog of another kind, as a test injects one: it counts its shows.
class CountingAbout final : public zenalto::AboutDialog {
public:
    explicit CountingAbout(int& shows) : m_shows(shows) {}
    void Show() override { ++m_shows; }
    void Unload() override {}

private:
    int& m_shows;
};

}  // namespace

class Form1Test : public zenalto::testing::Form1Fixture {
    Q_OBJECT

private:
    template <typename T>
    T* control(const char* name) const {
        auto* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control named %s", name);
        }
        return found;
    }
    QLineEdit* text(const char* name) const { return control<QLineEdit>(name); }
    QString textOf(const char* name) const { return text(name)->text(); }

    void typeInto(const char* name, const QString& value) const {
        QLineEdit* field = text(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, value);
    }
    void click(const char* button) const {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    // Opens a menu with Alt and its access key, then picks an item by its key.
    void chooseFromMenu(Qt::Key menuKey, Qt::Key itemKey) const {
        QTest::keyClick(m_form.get(), menuKey, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), itemKey);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == nullptr; }));
    }
    // One notch of a mouse wheel turned down, delivered by the window system
    // to the window under the pointer, here the middle of `widget`.
    void turnWheelDownOver(QWidget* widget) const {
        const QPoint middle = widget->rect().center();
        QWheelEvent wheel(widget->mapTo(m_form.get(), middle), widget->mapToGlobal(middle),
                          QPoint(), QPoint(0, -QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(m_form->windowHandle(), &wheel);
    }
    void chooseEllipsoid(int index) const {
        auto* combo = control<QComboBox>("Combo1");
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QVERIFY(QTest::qWaitFor([&] { return list->isVisible(); }));
        const QRect row = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(QTest::qWaitFor([&] { return !list->isVisible(); }));
    }

private slots:
    void initTestCase() { setUpLikeTheProgram(); }
    void init() { QVERIFY(open(Wait::Active)); }
    void cleanup() { close(); }

    void opensWithItsStartValues() {
        QCOMPARE(m_form->windowTitle(),
                 QStringLiteral("Zenalto: Programa para el cálculo de orbitas satelitales"));
        QCOMPARE(textOf("Text1"), QStringLiteral("159"));
        QCOMPARE(textOf("Text2"), QStringLiteral("6378.206"));
        QCOMPARE(textOf("Text3"), QStringLiteral("0"));
        QCOMPARE(textOf("Text4"), QStringLiteral("0"));
        auto* combo = control<QComboBox>("Combo1");
        QCOMPARE(combo->currentText(), QStringLiteral("Clarke 1866"));
        QCOMPARE(combo->count(), 10);
        QCOMPARE(combo->itemText(6), QStringLiteral("CLARKE 1866"));
        QCOMPARE(control<QScrollBar>("HScroll1")->value(), 159);
        QCOMPARE(QApplication::focusWidget(), text("Text1"));
        QCOMPARE(m_form->centralWidget()->size(), QSize(522, 369));
        QCOMPARE(m_form->centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(147, 135));
    }

    // The control's place in the client area in pixels at 96 dots per inch:
    // its twips in the table over 15, from its frame's corner when it is in one.
    static QRect laidOut(const char* name) {
        const zenalto::layout::Control* control = zenalto::layout::find(zenalto::Form1Layout, name);
        if (control == nullptr) {
            qFatal("no control named %s in the table", name);
        }
        QPoint origin;
        if (!control->container.empty()) {
            const zenalto::layout::Control* frame =
                zenalto::layout::find(zenalto::Form1Layout, control->container);
            origin = QPoint(frame->left / TwipsPerPixel, frame->top / TwipsPerPixel);
        }
        return {origin.x() + control->left / TwipsPerPixel,
                origin.y() + control->top / TwipsPerPixel, control->width / TwipsPerPixel,
                control->height / TwipsPerPixel};
    }

    void controlsStandWhereTheyWereLaidOut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("inWindow");  // in the client area, pixels
        for (const char* name : {"Text1", "Text2", "Combo1", "Text3", "Text4", "HScroll1",
                                 "Command1", "Command4", "Frame3"}) {
            QTest::newRow(name) << name << laidOut(name);
        }
    }
    void controlsStandWhereTheyWereLaidOut() {
        QFETCH(QString, name);
        QFETCH(QRect, inWindow);
        auto* widget = m_form->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        const QPoint topLeft = widget->mapTo(m_form->centralWidget(), QPoint(0, 0));
        QCOMPARE(QRect(topLeft, widget->size()), inWindow);
    }

    void buttonsAndScrollBarLieAboveTheFrames() {
        const QPoint insideFrame1 = m_form->centralWidget()->mapTo(m_form.get(), QPoint(110, 100));
        QCOMPARE(m_form->childAt(insideFrame1), control<QScrollBar>("HScroll1"));
        const QPoint insideFrame3 = m_form->centralWidget()->mapTo(m_form.get(), QPoint(180, 300));
        QCOMPARE(m_form->childAt(insideFrame3), control<QPushButton>("Command1"));
    }

    // The window hands its fields' texts to the commands and shows what they
    // write; the button and the menu item each reach their own command.
    void calculateFromButtonAndMenu() {
        typeInto("Text1", QStringLiteral("35786"));
        typeInto("Text2", QStringLiteral("6378.137"));
        click("Command1");
        QCOMPARE(textOf("Text3"), QStringLiteral("3076.20193"));
        QCOMPARE(textOf("Text4"), QStringLiteral("11074.32694"));
        QVERIFY(m_platform->messages.empty());

        typeInto("Text1", QStringLiteral("0"));
        click("Command1");
        chooseFromMenu(Qt::Key_A, Qt::Key_C);
        QCOMPARE(m_platform->messages.size(), std::size_t{2});
        QCOMPARE(m_platform->messages[0].prompt,
                 std::u16string(zenalto::program_texts::NoAltitudePrompt.button));
        QCOMPARE(m_platform->messages[1].prompt,
                 std::u16string(zenalto::program_texts::NoAltitudePrompt.menu));
    }

    void borrarEmptiesTheFieldsButNotTheListOrScrollBar() {
        click("Command2");
        for (const char* field : {"Text1", "Text2", "Text3", "Text4"}) {
            QVERIFY2(textOf(field).isEmpty(), field);
        }
        QVERIFY(control<QComboBox>("Combo1")->currentText().isEmpty());
        QCOMPARE(control<QComboBox>("Combo1")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>("Combo1")->count(), 10);
        QCOMPARE(control<QScrollBar>("HScroll1")->value(), 159);

        chooseEllipsoid(0);  // the list still works after clearing
        QCOMPARE(textOf("Text2"), QStringLiteral("6378.137"));
    }

    void borrarFromTheMenu() {
        chooseFromMenu(Qt::Key_A, Qt::Key_B);
        QVERIFY(textOf("Text1").isEmpty());
        QVERIFY(textOf("Text2").isEmpty());
    }

    void choosingAnEllipsoidWritesItsRadius() {
        chooseEllipsoid(3);
        QCOMPARE(textOf("Text2"), QStringLiteral("6378.160"));
        QCOMPARE(control<QComboBox>("Combo1")->currentText(), QStringLiteral("AUSTRALIAN"));
        chooseEllipsoid(1);
        QCOMPARE(textOf("Text2"), QStringLiteral("6378.137"));
    }

    void typingInTheListChangesOnlyItsText() {
        auto* combo = control<QComboBox>("Combo1");
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("WGS72"));
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::keyClick(combo, Qt::Key_Tab);  // leave the edit area
        QCOMPARE(combo->currentText(), QStringLiteral("WGS72"));
        QCOMPARE(textOf("Text2"), QStringLiteral("6378.206"));

        // The start text differs from its entry only in case and must stay so.
        combo->setEditText(QStringLiteral("Clarke 1866"));
        combo->setFocus();
        text("Text1")->setFocus();
        QCOMPARE(combo->currentText(), QStringLiteral("Clarke 1866"));
    }

    void scrollBarWritesItsPositionIntoTheAltitude() {
        auto* bar = control<QScrollBar>("HScroll1");
        typeInto("Text1", QStringLiteral("500"));
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Horizontal;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.subControls = QStyle::SC_All;
        const QRect rightArrow = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                              QStyle::SC_ScrollBarAddLine, bar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, rightArrow.center());
        QCOMPARE(textOf("Text1"), QStringLiteral("160"));

        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(textOf("Text1"), QStringLiteral("900"));
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(textOf("Text1"), QStringLiteral("159"));  // never below the start value
    }

    // The keys of tests/layout/scroll-bar-keys.tsv, row by row, on HScroll1
    // as Windows' scroll bar takes them.
    void scrollBarTakesKeysAsWindows_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("after");
        const QMap<QString, Qt::Key> keys{
            {"ArrowRight", Qt::Key_Right}, {"ArrowLeft", Qt::Key_Left},
            {"ArrowUp", Qt::Key_Up},       {"ArrowDown", Qt::Key_Down},
            {"PageUp", Qt::Key_PageUp},    {"PageDown", Qt::Key_PageDown},
            {"Home", Qt::Key_Home},        {"End", Qt::Key_End}};
        QFile table(QStringLiteral(ZENALTO_SCROLL_BAR_KEYS));
        QVERIFY2(table.open(QIODevice::ReadOnly | QIODevice::Text), ZENALTO_SCROLL_BAR_KEYS);
        while (!table.atEnd()) {
            const QString line = QString::fromUtf8(table.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
                continue;
            }
            const QStringList row = line.split(QLatin1Char('\t'));
            QVERIFY2(row.size() == 3 && keys.contains(row[1]), qPrintable(line));
            QTest::addRow("%s from %s", qPrintable(row[1]), qPrintable(row[0]))
                << row[0].toInt() << int{keys[row[1]]} << row[2].toInt();
        }
    }
    void scrollBarTakesKeysAsWindows() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, after);
        auto* bar = control<QScrollBar>("HScroll1");
        bar->setValue(start);
        bar->setFocus();
        QTest::keyClick(bar, static_cast<Qt::Key>(key));
        QCOMPARE(bar->value(), after);
        QCOMPARE(textOf("Text1"), QString::number(after));
    }

    // A wheel turned over the list or the scroll bar while the focus is
    // elsewhere leaves them and the fields as they are, and the focus where
    // it is; with the focus on them, the wheel moves them as before.
    void wheelMovesOnlyTheControlWithTheFocus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::newRow("Combo1") << "Combo1"
                                << "Text2";
        QTest::newRow("HScroll1") << "HScroll1"
                                  << "Text1";
    }
    void wheelMovesOnlyTheControlWithTheFocus() {
        QFETCH(QString, name);
        QFETCH(QString, field);
        typeInto("Text2", QStringLiteral("6400"));
        typeInto("Text1", QStringLiteral("300"));
        auto* widget = m_form->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        const QString typed = textOf(field.toLatin1().constData());
        const auto position = [widget] {
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                return combo->currentIndex();
            }
            return qobject_cast<QScrollBar*>(widget)->value();
        };
        const int start = position();

        turnWheelDownOver(widget);
        QCOMPARE(textOf(field.toLatin1().constData()), typed);
        QCOMPARE(position(), start);
        QCOMPARE(QApplication::focusWidget(), text("Text1"));

        widget->setFocus(Qt::TabFocusReason);
        turnWheelDownOver(widget);
        QVERIFY(position() > start);
        QVERIFY(textOf(field.toLatin1().constData()) != typed);
    }

    void tabVisitsTheControlsInTheirOrder() {
        const char* order[] = {"Text3",    "Text2",    "Text4",    "Combo1",   "Command1",
                               "Command2", "Command3", "Command4", "HScroll1", "Text1"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            // The list's edit area takes the focus on the list's behalf.
            if (focus != nullptr && focus->parentWidget() != nullptr &&
                focus->parentWidget()->objectName() == QLatin1String("Combo1")) {
                focus = focus->parentWidget();
            }
            QVERIFY2(focus != nullptr && focus->objectName() == QLatin1String(name), name);
        }
    }

    void enterAndEscapePressNothing() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(text("Text1"), key);
        }
        QCOMPARE(textOf("Text3"), QStringLiteral("0"));
        QVERIFY(m_platform->messages.empty());
        QCOMPARE(m_platform->endProgramCalls, 0);
        QVERIFY(m_form->isVisible());
    }

    void helpFromTheMenu() {
        chooseFromMenu(Qt::Key_H, Qt::Key_Y);
        QCOMPARE(m_platform->messages.size(), std::size_t{1});
        QCOMPARE(m_platform->messages.front().title,
                 std::u16string(zenalto::program_texts::HelpTitle));
    }

    void salirEndsTheProgramFromButtonAndMenu() {
        click("Command3");
        QCOMPARE(m_platform->endProgramCalls, 1);
        chooseFromMenu(Qt::Key_A, Qt::Key_S);
        QCOMPARE(m_platform->endProgramCalls, 2);
        QVERIFY(m_platform->messages.empty());
    }

    void aboutOpensOneDialogFromButtonAndMenu() {
        QVERIFY(m_form->aboutDialog() == nullptr);
        click("Command4");
        zenalto::qt::frmAbout* about = m_form->aboutDialog();
        QVERIFY(about != nullptr);
        QVERIFY(about->window() != nullptr);
        QWidget* first = about->window();
        QVERIFY(QTest::qWaitFor([&] { return first->isVisible(); }));
        QVERIFY(first->parentWidget() == nullptr);  // no owner window
        chooseFromMenu(Qt::Key_H, Qt::Key_C);
        QCOMPARE(m_form->aboutDialog(), about);
        QCOMPARE(about->window(), first);

        // The main window keeps working beside the dialog.
        click("Command1");
        QCOMPARE(textOf("Text3"), QStringLiteral("7812.50598"));
    }

    // The button and the menu item show the dialog an injected factory
    // makes, once made; aboutDialog() names only a Qt one.
    void injectedAboutDialogIsTheOneShown() {
        close();
        int made = 0;
        int shows = 0;
        QVERIFY(open(Wait::Active, [&made, &shows] {
            ++made;
            return std::make_unique<CountingAbout>(shows);
        }));
        click("Command4");
        chooseFromMenu(Qt::Key_H, Qt::Key_C);
        QCOMPARE(made, 1);
        QCOMPARE(shows, 2);
        QVERIFY(m_form->commands().aboutDialog() != nullptr);
        QVERIFY(m_form->aboutDialog() == nullptr);
        close();
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
