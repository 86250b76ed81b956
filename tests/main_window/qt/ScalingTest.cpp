// The two windows on a denser screen. CTest runs this at QT_SCALE_FACTOR 1,
// 1.5 and 2 (96, 144 and 192 dots per inch), with the style and the font
// fallbacks of the program. At every factor each control keeps its place in
// device-independent pixels, so the windows keep their proportions, and no
// caption, nor any text the fields show, is cut at the edge of its control.
// The windows' pictures at the factor are saved in screenshots/ beside the
// test executable, to be looked at.

#include <algorithm>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QtMath>

#include "Form1Fixture.h"
#include "resources/ApplicationIcon.h"

namespace {

enum class Window { Main, About };

}  // namespace

Q_DECLARE_METATYPE(Window)

namespace {

// Draws the text as the control does, but without clipping, and tells where
// ink falls outside the area that the control clips to: "" when it all lies
// inside. Faint fringes of anti-aliasing do not count.
QString InkOutside(const QWidget& control, const QRect& area, int flags, const QString& text) {
    const qreal ratio = control.devicePixelRatioF();
    const int margin = 32;
    QImage canvas((area.size() + QSize(2 * margin, 2 * margin)) * ratio,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(control.font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(margin, margin), area.size()), flags | Qt::TextDontClip,
                         text);
    }
    // The area in device pixels; a pixel that it covers in part counts as in.
    const int left = qFloor(margin * ratio);
    const int top = qFloor(margin * ratio);
    const int right = qCeil((margin + area.width()) * ratio);
    const int bottom = qCeil((margin + area.height()) * ratio);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            if (!inside && qAlpha(canvas.pixel(x, y)) > 96) {
                return QStringLiteral("ink at %1, %2 of an area %3 by %4 (device pixels)")
                    .arg(x - left)
                    .arg(y - top)
                    .arg(right - left)
                    .arg(bottom - top);
            }
        }
    }
    return {};
}

QString LabelInkOutside(const QLabel& label) {
    const int flags =
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    return InkOutside(label, label.contentsRect(), flags, label.text());
}

QString ButtonInkOutside(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    if (button.isDefault()) {
        option.features |= QStyleOptionButton::DefaultButton;
    }
    const QRect area =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return InkOutside(button, area, Qt::AlignCenter | Qt::TextShowMnemonic, button.text());
}

QString FrameTitleInkOutside(const QGroupBox& frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.textAlignment = frame.alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect area = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                     QStyle::SC_GroupBoxLabel, &frame);
    if (!frame.rect().contains(area)) {
        return QStringLiteral("the caption is wider than the frame");
    }
    return InkOutside(frame, area, Qt::AlignCenter | Qt::TextShowMnemonic, frame.title());
}

// A text box scrolls a text wider than its line, and so hides one end.
QString TextBoxCutsOff(const QLineEdit& box, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    // Two pixels of the line's own margin on either side.
    const QRect line = box.style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, &box)
                           .marginsRemoved(box.textMargins())
                           .adjusted(2, 0, -2, 0);
    const qreal width = QFontMetricsF(box.font(), &box).horizontalAdvance(text);
    return width <= line.width()
               ? QString()
               : QStringLiteral("%1 needs %2 of %3 pixels").arg(text).arg(width).arg(line.width());
}

// Beside the test executable, in the build tree, wherever the test is run from.
QString ScreenshotFolder() {
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    folder.mkpath(QStringLiteral("."));
    return folder.absolutePath();
}

}  // namespace

class ScalingTest : public zenalto::testing::Form1Fixture {
    Q_OBJECT

private:
    qreal m_factor = 1;

    QWidget* window(Window which) const {
        if (which == Window::Main) {
            return m_form.get();
        }
        if (m_form->aboutDialog() == nullptr || m_form->aboutDialog()->window() == nullptr) {
            clickAbout();
        }
        QWidget* about = m_form->aboutDialog()->window();
        return QTest::qWaitForWindowExposed(about) ? about : nullptr;
    }
    QWidget* control(Window which, const QString& name) const {
        QWidget* top = window(which);
        return top != nullptr ? top->findChild<QWidget*>(name) : nullptr;
    }
    static void addWindowColumn() { QTest::addColumn<Window>("which"); }

private slots:
    void initTestCase() {
        setUpLikeTheProgram();
        m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    }
    void init() { QVERIFY(open(Wait::Exposed)); }
    void cleanup() { close(); }

    // Both windows are drawn at the screen's density, into pictures that
    // are saved for a look.
    void windowsAreDrawnAtTheFactor_data() {
        addWindowColumn();
        QTest::addColumn<QSize>("size");
        QTest::newRow("Form1") << Window::Main << QSize();
        QTest::newRow("frmAbout") << Window::About << QSize(453, 261);
    }
    void windowsAreDrawnAtTheFactor() {
        QFETCH(Window, which);
        QFETCH(QSize, size);
        QWidget* top = window(which);
        QVERIFY(top != nullptr);
        if (which == Window::Main) {
            QCOMPARE(m_form->centralWidget()->size(), QSize(522, 369));
        } else {
            QCOMPARE(top->size(), size);
        }
        QCOMPARE(top->devicePixelRatioF(), m_factor);
        const QPixmap picture = top->grab();
        QCOMPARE(picture.size(), top->size() * m_factor);
        QVERIFY(
            picture.save(QStringLiteral("%1/%2-%3x.png")
                             .arg(ScreenshotFolder(), QString::fromLatin1(QTest::currentDataTag()))
                             .arg(m_factor)));
    }

    // Places and sizes in device-independent pixels, the same at every
    // factor: the client area of the window, or of the dialog.
    void controlsKeepTheirPlaces_data() {
        addWindowColumn();
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        const auto row = [](Window which, const char* name, QRect place) {
            QTest::addRow("%s %s", which == Window::Main ? "Form1" : "frmAbout", name)
                << which << QString::fromLatin1(name) << place;
        };
        row(Window::Main, "Frame1", {8, 24, 241, 209});
        row(Window::Main, "Frame2", {264, 24, 249, 209});
        row(Window::Main, "Frame3", {112, 264, 345, 73});
        row(Window::Main, "Label1", {24, 56, 65, 33});
        row(Window::Main, "Text1", {128, 56, 65, 25});
        row(Window::Main, "Label2", {192, 64, 25, 17});
        row(Window::Main, "HScroll1", {104, 96, 105, 17});
        row(Window::Main, "Label3", {16, 128, 73, 25});
        row(Window::Main, "Combo1", {104, 136, 105, 22});
        row(Window::Main, "Text2", {104, 168, 89, 25});
        row(Window::Main, "Label4", {192, 176, 25, 17});
        row(Window::Main, "Label5", {280, 96, 81, 25});
        row(Window::Main, "Text3", {368, 96, 81, 25});
        row(Window::Main, "Label6", {448, 104, 25, 17});
        row(Window::Main, "Text4", {368, 144, 81, 25});
        row(Window::Main, "Label7", {448, 152, 33, 17});
        row(Window::Main, "Command1", {152, 288, 65, 25});
        row(Window::Main, "Command2", {216, 288, 57, 25});
        row(Window::Main, "Command3", {272, 288, 65, 25});
        row(Window::Main, "Command4", {336, 288, 73, 25});
        row(Window::About, "Image1", {8, 8, 150, 121});
        row(Window::About, "lblDescription", {168, 16, 259, 78});
        row(Window::About, "Label3", {256, 104, 161, 17});
        row(Window::About, "Label4", {256, 120, 161, 17});
        row(Window::About, "lblVersion", {32, 144, 75, 15});
        row(Window::About, "Label2", {328, 144, 97, 17});
        row(Window::About, "Line1_1", {8, 163, 440, 1});
        row(Window::About, "Line1_0", {8, 164, 440, 2});
        row(Window::About, "Label1", {24, 168, 33, 17});
        row(Window::About, "lblDisclaimer", {17, 191, 258, 31});
        row(Window::About, "cmdOK", {312, 191, 84, 23});
        row(Window::About, "cmdSysInfo", {312, 224, 83, 23});
    }
    void controlsKeepTheirPlaces() {
        QFETCH(Window, which);
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QWidget* widget = control(which, name);
        QVERIFY(widget != nullptr);
        QWidget* client = which == Window::Main ? m_form->centralWidget() : widget->window();
        QCOMPARE(QRect(widget->mapTo(client, QPoint(0, 0)), widget->size()), place);
    }

    // Every caption of both windows is whole: labels within their own box,
    // on the lines they break into; button and frame captions within the
    // space their style leaves them.
    void captionsAreWhole_data() {
        addWindowColumn();
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const auto row = [](Window which, const char* name, const QString& caption) {
            QTest::addRow("%s %s", which == Window::Main ? "Form1" : "frmAbout", name)
                << which << QString::fromLatin1(name) << caption;
        };
        row(Window::Main, "Frame1", QStringLiteral("Entrada de Datos"));
        row(Window::Main, "Frame2", QStringLiteral("Salida de Datos"));
        row(Window::Main, "Label1", QStringLiteral("Altura del Satelite"));
        row(Window::Main, "Label2", QStringLiteral("Km"));
        row(Window::Main, "Label3", QStringLiteral("Radio Terrestre"));
        row(Window::Main, "Label4", QStringLiteral("Km"));
        row(Window::Main, "Label5", QStringLiteral("Velocidad Orbital"));
        row(Window::Main, "Label6", QStringLiteral("m/s"));
        row(Window::Main, "Label7", QStringLiteral("Km/h"));
        row(Window::Main, "Command1", QStringLiteral("Calcular"));
        row(Window::Main, "Command2", QStringLiteral("Borrar"));
        row(Window::Main, "Command3", QStringLiteral("Salir"));
        row(Window::Main, "Command4", QStringLiteral("Acerca de..."));
        row(Window::About, "lblDescription",
            QStringLiteral("Este programa fue desarrollado con fines educativos solamente. Sirve "
                           "de apoyo didáctico para el cálculo de órbitas satelitales en el curso "
                           "de Mecánica Orbital del Instituto Tecnológico de Puerto Ficticio, "
                           "para el que fue escrito."));
        row(Window::About, "Label3", QStringLiteral("Equipo Zenalto"));
        row(Window::About, "Label4", QStringLiteral("zenalto@example.org"));
        row(Window::About, "lblVersion", QStringLiteral("Version 1.0"));
        row(Window::About, "Label2", QStringLiteral("Otoño, 2004"));
        row(Window::About, "Label1", QStringLiteral("Nota:"));
        row(Window::About, "lblDisclaimer",
            QStringLiteral(
                " Los Cálculos son válidos para órbitas satelitales alrededor de la Tierra. "));
        row(Window::About, "cmdOK", QStringLiteral("OK"));
        row(Window::About, "cmdSysInfo", QStringLiteral("&System Info..."));
    }
    void captionsAreWhole() {
        QFETCH(Window, which);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget* widget = control(which, name);
        QVERIFY(widget != nullptr);
        QString cut;
        if (const auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), caption);
            cut = LabelInkOutside(*label);
        } else if (const auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), caption);
            cut = ButtonInkOutside(*button);
        } else if (const auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(frame->title(), caption);
            cut = FrameTitleInkOutside(*frame);
        } else {
            QFAIL("no caption to check");
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    // The text boxes show their start texts, results and ellipsoid names
    // whole, without scrolling them.
    void fieldTextsAreWhole() {
        QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
            const auto* box = m_form->findChild<QLineEdit*>(QString::fromLatin1(name));
            QVERIFY(box != nullptr && box->text().size() > 1);
            const QString cut = TextBoxCutsOff(*box, box->text());
            QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(name, cut)));
        }
        const auto* combo = m_form->findChild<QComboBox*>(QStringLiteral("Combo1"));
        QStringList shown{combo->currentText()};
        for (int index = 0; index < combo->count(); ++index) {
            // Wider than the edit area with Arial's widths already: the list
            // was laid out so.
            if (combo->itemText(index) != QLatin1String("INTERNACIONAL")) {
                shown << combo->itemText(index);
            }
        }
        for (const QString& text : shown) {
            const QString cut = TextBoxCutsOff(*combo->lineEdit(), text);
            QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("Combo1: %1").arg(cut)));
        }
    }

    // The icon has a drawing for each density of the title bar's 16 pixels
    // and the desktop's 32 and 48, so none is scaled up. Each is asked for in
    // device pixels, as the window system takes them: Qt 6.8 answers a
    // request at another pixel ratio from a pixmap it cached for the same
    // logical size at the first ratio asked.
    void iconHasAnImageForTheDensity() {
        const QIcon icon = zenalto::ApplicationIcon();
        for (const int size : {16, 32, 48}) {
            const QSize wanted = QSize(size, size) * m_factor;
            const QList<QSize> available = icon.availableSizes();
            const bool drawn = std::any_of(available.begin(), available.end(), [&](QSize s) {
                return s.width() >= wanted.width() && s.height() >= wanted.height();
            });
            QVERIFY2(drawn, qPrintable(QStringLiteral("%1 pixels").arg(size)));
            QCOMPARE(icon.pixmap(wanted, 1.0).size(), wanted);
        }
    }
};

QTEST_MAIN(ScalingTest)
#include "ScalingTest.moc"
