#include "layout/Announcer.h"

#include <QAccessible>
#include <QWidget>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleWidget>
#endif

namespace zenalto::qt {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)

namespace {

// The notification's widget: no size, nothing drawn, only its name read.
class Notice final : public QWidget {
public:
    using QWidget::QWidget;
};

QAccessibleInterface* NoticeFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QWidget")) {
        if (auto* notice = dynamic_cast<Notice*>(object)) {
            return new QAccessibleWidget(notice, QAccessible::Notification);
        }
    }
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget& window) : m_window(&window) {
    static const bool installed = [] {
        QAccessible::installFactory(&NoticeFactory);
        return true;
    }();
    (void)installed;
    m_notice = new Notice(&window);
    m_notice->setObjectName(QStringLiteral("announcement"));
    m_notice->setGeometry(0, 0, 0, 0);
    m_notice->hide();
}

void Announcer::announce(const QString& text) {
    m_notice->setAccessibleName(text);
    // Shown anew, it is a notification that appears.
    m_notice->hide();
    m_notice->show();
}

#else

Announcer::Announcer(QWidget& window) : m_window(&window) {}

void Announcer::announce(const QString& text) {
    QAccessibleAnnouncementEvent event(m_window, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
}

#endif

}  // namespace zenalto::qt
