// Odd texts pasted into the altitude and radius fields of the main window, as
// long as a field holds among them: "Calcular" shows the message due or the
// right velocities, and the fields keep every character that was pasted. A
// longer paste keeps the field's length.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Form1Fixture.h"
#include "ProgramTexts.h"

using zenalto::MessageStyle;
namespace texts = zenalto::program_texts;
using zenalto::testing::FakePlatform;
using Shown = FakePlatform::ShownMessage;

namespace {

constexpr qsizetype OneMegabyte = 1 << 20;
// The most characters a field takes, as on Windows.
constexpr qsizetype FieldLength = 32'767;

const std::u16string InputTitle(texts::InputErrorTitle);

}  // namespace

class Form1BadInputTest : public zenalto::testing::Form1Fixture {
    Q_OBJECT

private:
    QLineEdit* text(const QString& name) const {
        // The list's edit area stands for the list.
        if (auto* list = m_form->findChild<QComboBox*>(name)) {
            return list->lineEdit();
        }
        auto* found = m_form->findChild<QLineEdit*>(name);
        if (found == nullptr) {
            qFatal("no text box named %s", qPrintable(name));
        }
        return found;
    }

    // Replaces the field's text by the clipboard's, as Ctrl+A, Ctrl+V would.
    void pasteInto(const QString& name, const QString& pasted) const {
        QLineEdit* field = text(name);
        QApplication::clipboard()->setText(pasted);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void init() { QVERIFY(open(Wait::Active)); }
    void cleanup() { close(); }

    void pastedTextGivesResultsOrMessage_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("metresPerSecond");  // empty: the message
        QTest::addColumn<QString>("kilometresPerHour");
        QTest::addColumn<QString>("prompt");

        // The other field keeps its start value: 159 km, or 6378.206 km.
        const QString velocity = QStringLiteral("7812.50598");
        const QString perHour = QStringLiteral("28125.02151");
        const QString tooHigh = QStringView(texts::AltitudeTooLargePrompt.button).toString();
        QTest::newRow("a full field of zeros and the altitude")
            << "Text1" << QString(FieldLength - 3, u'0') + QStringLiteral("159") << velocity
            << perHour << "";
        QTest::newRow("a full field of zeros and the radius")
            << "Text2" << QString(FieldLength - 8, u'0') + QStringLiteral("6378.206") << velocity
            << perHour << "";
        QTest::newRow("the altitude and a full field of decimal zeros")
            << "Text1" << QStringLiteral("159.") + QString(FieldLength - 4, u'0') << velocity
            << perHour << "";
        QTest::newRow("a full field of nines as altitude")
            << "Text1" << QString(FieldLength, u'9') << ""
            << "" << tooHigh;
        QTest::newRow("a full field of nines as radius")
            << "Text2" << QString(FieldLength, u'9') << ""
            << "" << QStringView(texts::RadiusTooLargePrompt.button).toString();
        QTest::newRow("NUL after the altitude")
            << "Text1" << QStringLiteral("159") + QChar(0) + QStringLiteral("77") << velocity
            << perHour << "";
        QTest::newRow("control character before the altitude")
            << "Text1"
            << QStringLiteral(
                   "\x01"
                   "159")
            << ""
            << "" << QStringView(texts::NoAltitudePrompt.button).toString();
        QTest::newRow("Arabic-Indic radius")
            << "Text2" << QStringLiteral("\u0666\u0663\u0667\u0668") << ""
            << "" << QStringView(texts::NoRadiusPrompt.button).toString();
        QTest::newRow("full-width altitude")
            << "Text1" << QStringLiteral("\uFF11\uFF15\uFF19") << ""
            << "" << QStringView(texts::NoAltitudePrompt.button).toString();
        QTest::newRow("1e99999 as altitude") << "Text1" << QStringLiteral("1e99999") << ""
                                             << "" << tooHigh;
    }
    void pastedTextGivesResultsOrMessage() {
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(QString, metresPerSecond);
        QFETCH(QString, kilometresPerHour);
        QFETCH(QString, prompt);

        pasteInto(field, pasted);
        QCOMPARE(text(field)->text(), pasted);  // nothing cut, nothing dropped

        QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);

        if (prompt.isEmpty()) {
            QCOMPARE(m_platform->messages, std::vector<Shown>{});
            QCOMPARE(text(QStringLiteral("Text3"))->text(), metresPerSecond);
            QCOMPARE(text(QStringLiteral("Text4"))->text(), kilometresPerHour);
        } else {
            QCOMPARE(m_platform->messages,
                     (std::vector<Shown>{
                         {prompt.toStdU16String(), MessageStyle::Critical, InputTitle}}));
            QCOMPARE(text(QStringLiteral("Text3"))->text(), QStringLiteral("0"));
            QCOMPARE(text(QStringLiteral("Text4"))->text(), QStringLiteral("0"));
        }
        QCOMPARE(text(field)->text(), pasted);  // the input is never rewritten
    }

    // A megabyte of digits, which froze the Windows edit control, keeps the
    // field's first characters; a key typed then adds nothing.
    void longPasteKeepsTheFieldsLength_data() {
        QTest::addColumn<QString>("field");
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Combo1"}) {
            QTest::newRow(name) << name;
        }
    }
    void longPasteKeepsTheFieldsLength() {
        QFETCH(QString, field);
        QString digits(OneMegabyte, u'0');
        for (qsizetype i = 0; i < digits.size(); ++i) {
            digits[i] = QChar(static_cast<char16_t>(u'0' + i % 10));
        }
        pasteInto(field, digits);
        QCOMPARE(text(field)->text(), digits.left(FieldLength));
        QTest::keyClick(text(field), Qt::Key_5);
        QCOMPARE(text(field)->text(), digits.left(FieldLength));
    }
};

QTEST_MAIN(Form1BadInputTest)
#include "Form1BadInputTest.moc"
