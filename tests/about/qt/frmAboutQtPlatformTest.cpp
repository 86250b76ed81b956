// The About dialog over the real Qt backend on Linux, given the launcher's
// value to emulate as the program's start gives it: "&System Info..." finds
// the desktop's system information program on PATH and starts it detached,
// or shows the real message box when there is none.

#include <csignal>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ProgramTexts.h"
#include "about/SysInfoLauncher.h"
#include "about/qt/frmAbout.h"
#include "platform/QtPlatform.h"

namespace {

// PATH holds only `folder` for the life of the object.
class SearchPath {
public:
    explicit SearchPath(const QString& folder) : m_saved(qgetenv("PATH")) {
        qputenv("PATH", folder.toLocal8Bit());
    }
    SearchPath(const SearchPath&) = delete;
    SearchPath& operator=(const SearchPath&) = delete;
    SearchPath(SearchPath&&) = delete;
    SearchPath& operator=(SearchPath&&) = delete;
    ~SearchPath() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

QPushButton* sysInfoButton(zenalto::qt::frmAbout& about) {
    return about.window()->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
}

}  // namespace

class frmAboutQtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void startsTheProgramFoundOnPathWithoutWaiting() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString started = folder.filePath(QStringLiteral("started"));
        const QString finished = folder.filePath(QStringLiteral("finished"));
        // Writes its process number, then runs on long after the click.
        QFile tool(folder.filePath(QStringLiteral("hardinfo")));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write(QStringLiteral("#!/bin/sh\necho $$ > '%1'\nsleep 30\ntouch '%2'\n")
                       .arg(started, finished)
                       .toLocal8Bit());
        tool.close();
        QVERIFY(tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const SearchPath path(folder.path());

        zenalto::qt::QtPlatform platform(zenalto::SysInfoEmulatedValue);
        zenalto::qt::frmAbout about(platform);
        about.Show();
        QTest::mouseClick(sysInfoButton(about), Qt::LeftButton);

        QVERIFY(
            QTest::qWaitFor([&] { return QFile::exists(started) && QFile(started).size() > 0; }));
        QVERIFY(!QFile::exists(finished));  // the click did not wait for the program
        QVERIFY(about.window() != nullptr && about.window()->isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        QFile pidFile(started);
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const int pid = pidFile.readAll().trimmed().toInt();
        QVERIFY(pid > 0);
        ::kill(-pid, SIGTERM);  // started in a session of its own: its whole group
    }

    void showsTheMessageWhenNoProgramIsFound() {
        QTemporaryDir empty;
        const SearchPath path(empty.path());
        zenalto::qt::QtPlatform platform(zenalto::SysInfoEmulatedValue);
        zenalto::qt::frmAbout about(platform);
        about.Show();

        QString title;
        QString text;
        QTimer::singleShot(0, [&title, &text] {
            QVERIFY(QTest::qWaitFor([&] {
                return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
            }));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            title = box->windowTitle();
            text = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        QTest::mouseClick(sysInfoButton(about), Qt::LeftButton);

        QCOMPARE(text, QStringView(zenalto::program_texts::SysInfoUnavailablePrompt).toString());
        QCOMPARE(title, QStringLiteral("Zenalto"));
        QVERIFY(about.window() != nullptr && about.window()->isVisible());
    }
};

QTEST_MAIN(frmAboutQtPlatformTest)
#include "frmAboutQtPlatformTest.moc"
