#include "layout/ContrastTheme.h"

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QtEndian>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#endif

namespace zenalto::qt {

namespace {

bool inUse = false;
std::optional<QPalette> before;  // the application's palette before

#if QT_CONFIG(xcb)

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data()),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A string setting of an XSETTINGS block, in freedesktop.org's XSETTINGS
// format: a byte order, a serial and a count, then each setting as its
// type, its name padded to four bytes, a serial and its value.
QString StringSetting(const QByteArray& block, QByteArrayView wanted) {
    const auto* data = reinterpret_cast<const uchar*>(block.constData());
    const qsizetype size = block.size();
    if (size < 12) {
        return {};
    }
    const bool msbFirst = data[0] == 1;
    const auto card16 = [&](qsizetype at) {
        return msbFirst ? qFromBigEndian<quint16>(data + at)
                        : qFromLittleEndian<quint16>(data + at);
    };
    const auto card32 = [&](qsizetype at) {
        return msbFirst ? qFromBigEndian<quint32>(data + at)
                        : qFromLittleEndian<quint32>(data + at);
    };
    const auto padded = [](qsizetype length) { return (length + 3) & ~qsizetype{3}; };
    const quint32 count = card32(8);
    qsizetype at = 12;
    for (quint32 index = 0; index < count; ++index) {
        if (at + 4 > size) {
            return {};
        }
        const uchar type = data[at];
        const qsizetype nameLength = card16(at + 2);
        const qsizetype nameAt = at + 4;
        at = nameAt + padded(nameLength) + 4;  // the name, then the serial
        if (at > size) {
            return {};
        }
        const QByteArrayView name(block.constData() + nameAt, nameLength);
        switch (type) {
            case 0:  // an integer
                at += 4;
                break;
            case 1: {  // a string
                if (at + 4 > size) {
                    return {};
                }
                const qsizetype length = card32(at);
                if (length > size - at - 4) {
                    return {};
                }
                if (name == wanted) {
                    return QString::fromUtf8(block.constData() + at + 4, length);
                }
                at += 4 + padded(length);
                break;
            }
            case 2:  // a colour
                at += 8;
                break;
            default:
                return {};
        }
    }
    return {};
}

// The theme that XSETTINGS names; empty without an X server or a settings
// manager.
QString XSettingsTheme() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || connection == nullptr) {
        return {};
    }
    // The manager of the default screen owns its selection.
    const xcb_atom_t selection = InternAtom(connection, "_XSETTINGS_S0");
    const xcb_atom_t settings = InternAtom(connection, "_XSETTINGS_SETTINGS");
    if (selection == XCB_ATOM_NONE || settings == XCB_ATOM_NONE) {
        return {};
    }
    const Owned<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    if (!owner || owner->owner == XCB_WINDOW_NONE) {
        return {};
    }
    // Whole blocks are a few kilobytes; 64 KiB is far more.
    const Owned<xcb_get_property_reply_t> property(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, owner->owner, settings, settings, 0, 16384),
            nullptr),
        &std::free);
    if (!property || property->format != 8) {
        return {};
    }
    const QByteArray block(static_cast<const char*>(xcb_get_property_value(property.get())),
                           xcb_get_property_value_length(property.get()));
    return StringSetting(block, "Net/ThemeName");
}

#else

QString XSettingsTheme() {
    return {};
}

#endif

}  // namespace

QPalette ContrastPalette(const QColor& foreground, const QColor& background) {
    QPalette palette;
    for (const QPalette::ColorRole role :
         {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button,
          QPalette::ToolTipBase, QPalette::HighlightedText}) {
        palette.setColor(role, background);
    }
    // Bevels and borders too, so that every edge shows.
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText,
          QPalette::ToolTipText, QPalette::PlaceholderText, QPalette::Highlight, QPalette::Light,
          QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow, QPalette::Link,
          QPalette::LinkVisited}) {
        palette.setColor(role, foreground);
    }
    return palette;
}

std::optional<QPalette> ContrastPaletteOfTheme(const QString& gtkTheme) {
    const QString name = gtkTheme.section(QLatin1Char(':'), 0, 0);
    const QString variant = gtkTheme.section(QLatin1Char(':'), 1);
    if (name == QLatin1String("HighContrastInverse") ||
        (name == QLatin1String("HighContrast") && variant == QLatin1String("dark"))) {
        return ContrastPalette(Qt::white, Qt::black);
    }
    if (name == QLatin1String("HighContrast")) {
        return ContrastPalette(Qt::black, Qt::white);
    }
    return std::nullopt;
}

std::optional<QPalette> DesktopContrastPalette() {
    // GTK_THEME overrides the desktop's theme for GTK's programs as well.
    const QString named = qEnvironmentVariable("GTK_THEME");
    return ContrastPaletteOfTheme(!named.isEmpty() ? named : XSettingsTheme());
}

void UseContrastPalette(const QPalette& palette) {
    if (!inUse) {
        before = QApplication::palette();
    }
    QApplication::setPalette(palette);
    inUse = true;
}

void StopContrastPalette() {
    if (inUse && before) {
        QApplication::setPalette(*before);
    }
    inUse = false;
}

bool ContrastPaletteInUse() {
    return inUse;
}

}  // namespace zenalto::qt
