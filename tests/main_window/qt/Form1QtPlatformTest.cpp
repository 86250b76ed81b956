// The main window over the real Qt backend, run under a Spanish locale: the
// results take the locale's decimal comma, and a refused input opens a real
// QMessageBox that is answered the way a user answers it.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ProgramTexts.h"
#include "main_window/qt/Form1.h"
#include "platform/QtPlatform.h"

namespace {

namespace texts = zenalto::program_texts;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
};

// Waits for the next application-modal message box, notes what it shows and
// presses its OK button.
void answerNextMessageBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        QVERIFY(QTest::qWaitFor([&] {
            return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        }));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen = {box->windowTitle(), box->text(), box->icon(),
                box->windowModality() == Qt::ApplicationModal};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

}  // namespace

class Form1QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void resultsTakeTheLocalesDecimalComma() {
        zenalto::qt::QtPlatform platform;
        QCOMPARE(platform.decimalSeparator(), std::u16string(u","));
        zenalto::qt::Form1 form(platform);
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text3"))->text(),
                 QStringLiteral("7812,50598"));
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text4"))->text(),
                 QStringLiteral("28125,02151"));
    }

    void refusedInputOpensARealMessageBox() {
        zenalto::qt::QtPlatform platform;
        zenalto::qt::Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.findChild<QLineEdit*>(QStringLiteral("Text1"))->clear();

        SeenBox seen;
        answerNextMessageBox(seen);
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(seen.title, QStringView(texts::InputErrorTitle).toString());
        QCOMPARE(seen.text, QStringView(texts::NoAltitudePrompt.button).toString());
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY(seen.modal);
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("0"));
    }

    void helpMessageHasNoIcon() {
        zenalto::qt::QtPlatform platform;
        SeenBox seen;
        answerNextMessageBox(seen);
        platform.messageBox(texts::HelpPrompt, zenalto::MessageStyle::OkOnly, texts::HelpTitle);
        QCOMPARE(seen.title, QStringView(texts::HelpTitle).toString());
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
    }

    void untitledMessageShowsTheProgramsName() {
        zenalto::qt::QtPlatform platform;
        SeenBox seen;
        answerNextMessageBox(seen);
        platform.messageBox(texts::SysInfoUnavailablePrompt, zenalto::MessageStyle::OkOnly, u"");
        QCOMPARE(seen.title, QStringLiteral("Zenalto"));
        QCOMPARE(seen.text, QStringView(texts::SysInfoUnavailablePrompt).toString());
    }
};

QTEST_MAIN(Form1QtPlatformTest)
#include "Form1QtPlatformTest.moc"
