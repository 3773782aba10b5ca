// SPDX-License-Identifier: MIT
#include "qt/application.h"

#include "qt/fonts.h"
#include "window/colours.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <array>
#include <cstdint>
#include <cstdlib>

// The icons are compiled into this static library; naming their initialiser
// keeps the linker from dropping them.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace pemtos::qt {
namespace {

QColor systemColour(std::uint32_t index)
{
    const window::Rgb rgb = window::resolveColour(window::kSystemColourFlag | index);
    return {rgb.red, rgb.green, rgb.blue};
}

constexpr std::array<int, 5> kIconSizes{16, 32, 48, 64, 128};

/// The program's icon, drawn in five sizes, whose files are read only when the
/// icon is first drawn: a window that never shows its icon (offscreen) reads none.
class ResourceIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        // Known without reading a file: every size is drawn for the normal, off icon only.
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const int size : kIconSizes)
                sizes.append(QSize(size, size));
        }
        return sizes;
    }
    QIconEngine *clone() const override { return new ResourceIconEngine; }
    QString key() const override { return QStringLiteral("pemtos-resource-icon"); }
    bool isNull() override { return false; }

private:
    const QIcon &loaded()
    {
        if (m_icon.isNull()) {
            for (const int size : kIconSizes)
                m_icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
        }
        return m_icon;
    }

    QIcon m_icon;
};

/// Gives the application its icon once the window it watches has drawn its first
/// frame. The X11 window system is handed every size of a window's icon, decoded,
/// as the window is made: given before, the icon would hold that frame up.
class IconAfterFirstFrame final : public QObject {
public:
    explicit IconAfterFirstFrame(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Posted: the frame is painted and flushed before it arrives.
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        }
        return QObject::eventFilter(watched, event);
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        QApplication::setWindowIcon(programIcon());
        deleteLater();
        return true;
    }
};

} // namespace

QIcon programIcon()
{
    initIconResources();
    return QIcon(new ResourceIconEngine);
}

void giveIconAfterFirstFrame(QWidget &window)
{
    new IconAfterFirstFrame(window); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the window owns it
}

QPalette classicPalette()
{
    // System colour numbers of the classic Windows scheme.
    enum : std::uint8_t {
        Highlight = 13,
        HighlightText = 14,
        ButtonFace = 15,
        ButtonShadow = 16,
        GreyText = 17,
        ButtonText = 18,
        ButtonHighlight = 20,
        DarkShadow = 21,
        Light = 22,
        WindowBackground = 5,
        WindowText = 8,
    };
    QPalette palette(systemColour(ButtonFace));
    palette.setColor(QPalette::Window, systemColour(ButtonFace));
    palette.setColor(QPalette::WindowText, systemColour(ButtonText));
    palette.setColor(QPalette::Button, systemColour(ButtonFace));
    palette.setColor(QPalette::ButtonText, systemColour(ButtonText));
    palette.setColor(QPalette::Base, systemColour(WindowBackground));
    palette.setColor(QPalette::Text, systemColour(WindowText));
    palette.setColor(QPalette::Light, systemColour(ButtonHighlight));
    palette.setColor(QPalette::Midlight, systemColour(Light));
    palette.setColor(QPalette::Mid, systemColour(ButtonShadow));
    palette.setColor(QPalette::Dark, systemColour(ButtonShadow));
    palette.setColor(QPalette::Shadow, systemColour(DarkShadow));
    palette.setColor(QPalette::Highlight, systemColour(Highlight));
    palette.setColor(QPalette::HighlightedText, systemColour(HighlightText));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, systemColour(GreyText));
    return palette;
}

std::optional<std::string> displayProblem()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto isSet = [](const char *name) {
        const char *value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read before any thread starts
        return value != nullptr && *value != '\0';
    };
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM"))
        return std::string(
            "pemtos needs a desktop session: no X11 or Wayland display is set (DISPLAY, WAYLAND_DISPLAY).");
#endif
    return std::nullopt;
}

void setUpApplication()
{
    // The name is also what screen readers list the program as.
    QApplication::setApplicationName(QStringLiteral("pemtos"));
    QApplication::setApplicationVersion(QStringLiteral(PEMTOS_VERSION));
    // Lets the desktop match the window to the installed entry and its icon (the
    // Wayland application ID); the window's own icon (giveIconAfterFirstFrame)
    // serves desktops that do not.
    QGuiApplication::setDesktopFileName(QStringLiteral(PEMTOS_APP_ID));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setPalette(classicPalette());
    QApplication::setFont(defaultFont());
}

} // namespace pemtos::qt
