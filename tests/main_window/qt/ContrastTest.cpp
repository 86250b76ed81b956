// Both windows under a high-contrast black theme, read from their pixels:
// nothing is drawn but in the theme's two colours (and their blends, where
// text is smoothed), and each control the table gives a fixed colour shows
// the theme's foreground. The foreground is yellow, a colour of no table.

#include <memory>
#include <optional>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include "Form1Fixture.h"
#include "layout/ContrastTheme.h"

namespace {

const QColor Foreground(255, 255, 0);
const QColor Background(0, 0, 0);

// A blend of black and yellow: red and green alike, no blue; or the white
// of the dotted focus frame, which the style draws in the inverse of the
// background (in a black and white theme, its foreground).
bool InTheTheme(QRgb pixel) {
    return (qBlue(pixel) == 0 && qAbs(qRed(pixel) - qGreen(pixel)) <= 1) ||
           pixel == qRgb(255, 255, 255);
}

// The first pixel of `image` outside `except` that the theme does not draw.
std::optional<QPoint> OutsideTheTheme(const QImage& image, const QRect& except = {}) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!except.contains(x, y) && !InTheTheme(image.pixel(x, y))) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

// Some ink near the foreground: small text, smoothed, may never reach it.
bool ShowsTheForeground(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (InTheTheme(pixel) && qBlue(pixel) == 0 && qRed(pixel) >= 0xc0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class ContrastTest : public zenalto::testing::Form1Fixture {
    Q_OBJECT

private:
    QWidget* about() const { return aboutWindow(); }

private slots:
    void initTestCase() { setUpLikeTheProgram(); }
    void init() {
        zenalto::qt::UseContrastPalette(zenalto::qt::ContrastPalette(Foreground, Background));
        QVERIFY(open(Wait::Exposed));
        clickAbout();
        QVERIFY(about() != nullptr);
    }
    void cleanup() {
        close();
        zenalto::qt::StopContrastPalette();
    }

    void windowsAreDrawnInTheThemesColours() {
        const QImage main = m_form->grab().toImage();
        const std::optional<QPoint> inMain = OutsideTheTheme(main);
        QVERIFY2(!inMain,
                 inMain
                     ? qPrintable(
                           QStringLiteral("main window at %1,%2").arg(inMain->x()).arg(inMain->y()))
                     : "");
        // The picture keeps its own colours.
        auto* picture = about()->findChild<QWidget*>(QStringLiteral("Image1"));
        const QImage dialog = about()->grab().toImage();
        const std::optional<QPoint> inDialog = OutsideTheTheme(dialog, picture->geometry());
        QVERIFY2(
            !inDialog,
            inDialog
                ? qPrintable(QStringLiteral("About at %1,%2").arg(inDialog->x()).arg(inDialog->y()))
                : "");
    }

    // Each label and line drawn in a fixed colour outside a contrast theme
    // (the frames' blue captions fail the check above).
    void fixedColoursShowTheForeground_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("lblDescription") << "lblDescription";
        QTest::newRow("lblDisclaimer") << "lblDisclaimer";
        QTest::newRow("Label4") << "Label4";
        QTest::newRow("Line1_1") << "Line1_1";
        QTest::newRow("Line1_0") << "Line1_0";
    }
    void fixedColoursShowTheForeground() {
        QFETCH(QString, name);
        auto* control = about()->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QVERIFY(ShowsTheForeground(control->grab().toImage()));
    }
};

QTEST_MAIN(ContrastTest)
#include "ContrastTest.moc"
