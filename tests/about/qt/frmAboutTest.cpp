#include <chrono>
#include <memory>
#include <string>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "about/qt/frmAbout.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramTexts.h"
#include "layout/FontFallbacks.h"

namespace zenalto {
namespace {

using qt::frmAbout;
using testing::FakePlatform;

const std::string ToolPath = "C:\\Archivos de programa\\MSInfo\\msinfo32.exe";
const QRect StartGeometry{172, 176, 453, 261};

// Deletes the windows that have closed, as the event loop would.
void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

enum class Unloading { OkClick, EnterOnOk, Esc, EscOnSysInfo, CloseBox, UnloadCall };
enum class Launching { Click, EnterOnSysInfo, AltS };

}  // namespace

class frmAboutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_platform = std::make_unique<FakePlatform>();
        m_about = std::make_unique<frmAbout>(*m_platform);
    }
    void cleanup() {
        m_about.reset();
        DeleteClosedWindows();
        m_platform.reset();
    }

    void showingTwiceKeepsOneWindow();
    void windowOpensAsLaidOut();
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void pictureAndEtchedRule();
    void eachWayOfClosingUnloads_data();
    void eachWayOfClosingUnloads();
    void reloadedDialogHasItsStartValues();
    void sysInfoRunsTheLauncherAndStaysOpen_data();
    void sysInfoRunsTheLauncherAndStaysOpen();
    void sysInfoWithoutToolShowsOneMessage();
    void destroyingTheObjectDeletesItsWindow();
    void programRunsOnWhileDialogIsOpen();

private:
    // Shows the dialog and waits until it has the keyboard.
    QWidget* showActive() {
        m_about->Show();
        QWidget* window = m_about->window();
        return window != nullptr && QTest::qWaitForWindowActive(window) ? window : nullptr;
    }
    template <typename T = QPushButton>
    T* control(const char* name) const {
        return m_about->window()->findChild<T*>(QLatin1String(name));
    }
    // A registry that names a tool that starts.
    void installTool() {
        m_platform->registry["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"]["PATH"] = {
            RegSz, ToolPath + '\0'};
        m_platform->startablePrograms.insert(ToolPath);
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<frmAbout> m_about;
};

void frmAboutTest::showingTwiceKeepsOneWindow() {
    m_about->Show();
    QWidget* first = m_about->window();
    m_about->Show();
    QVERIFY(first != nullptr && first->isVisible());
    QCOMPARE(m_about->window(), first);
    int dialogs = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        dialogs += widget->objectName() == QLatin1String("frmAbout") ? 1 : 0;
    }
    QCOMPARE(dialogs, 1);
}

void frmAboutTest::windowOpensAsLaidOut() {
    QWidget* window = showActive();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Sobre Zenalto Ver. 1.0"));
    QCOMPARE(window->geometry(), StartGeometry);
    QCOMPARE(window->minimumSize(), StartGeometry.size());
    QCOMPARE(window->maximumSize(), StartGeometry.size());
    QVERIFY(!window->windowIcon().isNull());

    // Modeless, without an owner, a close box only. An ordinary window: a
    // dialog or tool window would be transient for the program on X11, and
    // kept above the main window (tools/check-window-managers.sh).
    QVERIFY(!window->isModal());
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->windowHandle()->transientParent(), nullptr);
    QCOMPARE(window->windowType(), Qt::Window);
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    // The focus starts on OK; Tab goes to System Info and back.
    QCOMPARE(QApplication::focusWidget(), control("cmdOK"));
    PressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("cmdSysInfo"));
    PressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("cmdOK"));
}

void frmAboutTest::controlsAsLaidOut_data() {
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");  // invalid: the system's text colour

    const QString sans = QStringLiteral("MS Sans Serif");
    QTest::newRow("cmdOK") << QRect(312, 191, 84, 23) << QStringLiteral("OK") << sans << false
                           << QColor();
    QTest::newRow("cmdSysInfo") << QRect(312, 224, 83, 23) << QStringLiteral("&System Info...")
                                << sans << false << QColor();
    QTest::newRow("Label3") << QRect(256, 104, 161, 17) << QStringLiteral("Equipo Zenalto") << sans
                            << true << QColor();
    QTest::newRow("Label4") << QRect(256, 120, 161, 17) << QStringLiteral("zenalto@example.org")
                            << sans << false << QColor(0, 0, 255);
    QTest::newRow("lblDisclaimer")
        << QRect(17, 191, 258, 31)
        << QStringLiteral(
               " Los Cálculos son válidos para órbitas satelitales alrededor de la Tierra. ")
        << QStringLiteral("Tahoma") << false << QColor(0, 0, 0);
}

void frmAboutTest::controlsAsLaidOut() {
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);

    m_about->Show();
    auto* widget = control<QWidget>(QTest::currentDataTag());
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->property("text").toString(), text);
    // The laid-out face, or its stand-in where it is not installed.
    QCOMPARE(widget->font().family(), zenalto::qt::FamilyFor(family));
    QCOMPARE(widget->font().pointSizeF(), 8.25);
    QCOMPARE(widget->font().bold(), bold);
    if (colour.isValid()) {
        QCOMPARE(widget->palette().color(QPalette::WindowText), colour);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QVERIFY(label->wordWrap() && label->autoFillBackground());
    }
}

void frmAboutTest::pictureAndEtchedRule() {
    m_about->Show();
    auto* image = control<QLabel>("Image1");
    QVERIFY(image != nullptr);
    QCOMPARE(image->geometry(), QRect(8, 8, 150, 121));
    QCOMPARE(image->pixmap().size(), QSize(150, 121));
    QVERIFY(!image->hasScaledContents());

    // A grey line at y 163 above a white line two pixels high, x 8 to 447.
    const QImage shown = m_about->window()->grab().toImage();
    const QColor grey(128, 128, 128);
    const QColor white(Qt::white);
    for (const int x : {8, 200, 447}) {
        QCOMPARE(shown.pixelColor(x, 163), grey);
        QCOMPARE(shown.pixelColor(x, 164), white);
        QCOMPARE(shown.pixelColor(x, 165), white);
        QCOMPARE(shown.pixelColor(x, 162), shown.pixelColor(x, 166));
        QVERIFY(shown.pixelColor(x, 162) != grey && shown.pixelColor(x, 162) != white);
    }
    for (const int x : {7, 448}) {
        QVERIFY(shown.pixelColor(x, 163) != grey && shown.pixelColor(x, 164) != white);
    }
}

void frmAboutTest::eachWayOfClosingUnloads_data() {
    QTest::addColumn<Unloading>("way");
    QTest::newRow("OK clicked") << Unloading::OkClick;
    QTest::newRow("Enter on OK") << Unloading::EnterOnOk;
    QTest::newRow("Esc") << Unloading::Esc;
    QTest::newRow("Esc with the focus on System Info") << Unloading::EscOnSysInfo;
    QTest::newRow("close box") << Unloading::CloseBox;
    QTest::newRow("Unload") << Unloading::UnloadCall;
}

void frmAboutTest::eachWayOfClosingUnloads() {
    QFETCH(Unloading, way);
    installTool();  // so that a press of System Info by mistake would show
    const QPointer<QWidget> window = showActive();
    QVERIFY(window != nullptr);
    switch (way) {
        case Unloading::OkClick:
            QTest::mouseClick(control("cmdOK"), Qt::LeftButton);
            break;
        case Unloading::EnterOnOk:
            PressKey(Qt::Key_Return);
            break;
        case Unloading::Esc:
            PressKey(Qt::Key_Escape);
            break;
        case Unloading::EscOnSysInfo:
            PressKey(Qt::Key_Tab);
            PressKey(Qt::Key_Escape);
            break;
        case Unloading::CloseBox: {
            // What the window system sends when the user clicks the close box.
            QCloseEvent closeBox;
            QCoreApplication::sendEvent(window->windowHandle(), &closeBox);
            break;
        }
        case Unloading::UnloadCall:
            m_about->Unload();
            break;
    }

    QCOMPARE(m_about->window(), nullptr);
    QVERIFY(!window.isNull() && !window->isVisible());
    DeleteClosedWindows();
    QVERIFY(window.isNull());
    QVERIFY(m_platform->started.empty() && m_platform->messages.empty());
}

void frmAboutTest::reloadedDialogHasItsStartValues() {
    m_about->Show();
    const qint64 icon = m_about->window()->windowIcon().cacheKey();
    m_about->window()->setGeometry(10, 20, 453, 261);
    control<QLabel>("Label2")->setText(QStringLiteral("cambiado"));
    control<QLabel>("Label2")->move(0, 0);
    m_about->Unload();
    DeleteClosedWindows();

    m_about->Show();
    QVERIFY(m_about->window() != nullptr);
    QCOMPARE(m_about->window()->geometry(), StartGeometry);
    QCOMPARE(control<QLabel>("Label2")->text(), QStringLiteral("Otoño, 2004"));
    QCOMPARE(control<QLabel>("Label2")->pos(), QPoint(328, 144));
    QCOMPARE(control<QLabel>("Image1")->pixmap().size(), QSize(150, 121));
    // The program's one icon, not a new one decoded for each opening: Qt
    // caches the copies of an icon it hands to the window system.
    QCOMPARE(m_about->window()->windowIcon().cacheKey(), icon);
}

void frmAboutTest::sysInfoRunsTheLauncherAndStaysOpen_data() {
    QTest::addColumn<Launching>("way");
    QTest::newRow("click") << Launching::Click;
    QTest::newRow("Enter with the focus on System Info") << Launching::EnterOnSysInfo;
    QTest::newRow("Alt+S") << Launching::AltS;
}

void frmAboutTest::sysInfoRunsTheLauncherAndStaysOpen() {
    QFETCH(Launching, way);
    installTool();
    QWidget* window = showActive();
    QVERIFY(window != nullptr);
    switch (way) {
        case Launching::Click:
            QTest::mouseClick(control("cmdSysInfo"), Qt::LeftButton);
            break;
        case Launching::EnterOnSysInfo:
            PressKey(Qt::Key_Tab);
            PressKey(Qt::Key_Return);
            break;
        case Launching::AltS:
            PressKey(Qt::Key_S, Qt::AltModifier);
            break;
    }

    // An access key presses its button after a short visible push.
    QVERIFY(QTest::qWaitFor([this] { return !m_platform->started.empty(); }));
    QCOMPARE(m_platform->started, std::vector<std::string>{ToolPath});
    QVERIFY(m_platform->messages.empty());
    QCOMPARE(m_about->window(), window);
    QVERIFY(window->isVisible());
}

void frmAboutTest::sysInfoWithoutToolShowsOneMessage() {
    m_about->Show();
    QTest::mouseClick(control("cmdSysInfo"), Qt::LeftButton);

    const std::vector<FakePlatform::ShownMessage> expected{
        {std::u16string(zenalto::program_texts::SysInfoUnavailablePrompt), MessageStyle::OkOnly,
         u""}};
    QVERIFY(m_platform->messages == expected);
    QVERIFY(m_platform->started.empty());
    QVERIFY(m_about->window() != nullptr && m_about->window()->isVisible());
}

void frmAboutTest::destroyingTheObjectDeletesItsWindow() {
    m_about->Show();
    const QPointer<QWidget> window = m_about->window();
    m_about.reset();
    QVERIFY(window.isNull());
}

void frmAboutTest::programRunsOnWhileDialogIsOpen() {
    // The program's own event loop, which ends when its last window closes.
    QWidget mainWindow;
    mainWindow.show();
    m_about->Show();
    QStringList events;
    const QObject observer;
    connect(qApp, &QGuiApplication::lastWindowClosed, &observer,
            [&] { events << QStringLiteral("last window closed"); });
    QTimer::singleShot(0, &mainWindow, [&] {
        mainWindow.close();
        events << QStringLiteral("main window closed");
        QTimer::singleShot(0, qApp, [&] {
            events << QStringLiteral("dialog unloading");
            m_about->Unload();
        });
    });
    // Only keeps a faulty dialog from hanging the test.
    QTimer::singleShot(std::chrono::seconds(30), qApp, [] { QCoreApplication::exit(1); });

    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(events,
             QStringList({QStringLiteral("main window closed"), QStringLiteral("dialog unloading"),
                          QStringLiteral("last window closed")}));
}

}  // namespace zenalto

QTEST_MAIN(zenalto::frmAboutTest)
#include "frmAboutTest.moc"
