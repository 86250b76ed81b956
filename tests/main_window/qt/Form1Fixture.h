#pragma once

// The main window as the Qt window tests open it: over a fake platform, with
// the program's own style and font fallbacks (sizes such as the menu bar's
// depend on them), shown and waited for. A test class derives from it and
// calls open() from its init() slot and close() from its cleanup() slot.

#include <memory>
#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QObject>
#include <QPushButton>
#include <QTest>

#include "FakePlatform.h"
#include "about/qt/frmAbout.h"
#include "layout/FontFallbacks.h"
#include "main_window/qt/Form1.h"

namespace zenalto::testing {

class Form1Fixture : public QObject {
protected:
    enum class Wait { Active, Exposed };

    // As the program sets itself up before it makes its window.
    static void setUpLikeTheProgram() {
        QApplication::setStyle(QStringLiteral("Windows"));
        qt::InstallFontFallbacks();
    }

    // Opens the main window, its About dialog made by `makeAbout` (by
    // default the Qt one); true once it is active (or only exposed).
    [[nodiscard]] bool open(Wait wait, qt::Form1::AboutFactory makeAbout = {}) {
        m_platform = std::make_unique<FakePlatform>();
        m_form = std::make_unique<qt::Form1>(*m_platform, std::move(makeAbout));
        m_form->show();
        return wait == Wait::Active ? QTest::qWaitForWindowActive(m_form.get())
                                    : QTest::qWaitForWindowExposed(m_form.get());
    }
    // Closes it, deleting the About dialog's window too.
    void close() {
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_platform.reset();
    }

    // Clicks "Acerca de...".
    void clickAbout() const {
        QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("Command4")),
                          Qt::LeftButton);
    }
    // The About dialog's window once shown and exposed; nullptr otherwise.
    [[nodiscard]] QWidget* aboutWindow() const {
        QWidget* about =
            m_form->aboutDialog() != nullptr ? m_form->aboutDialog()->window() : nullptr;
        return about != nullptr && QTest::qWaitForWindowExposed(about) ? about : nullptr;
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<qt::Form1> m_form;
};

}  // namespace zenalto::testing
