// SPDX-License-Identifier: MIT
#include "platform/qt/application.h"

#include "platform/colours.h"
#include "platform/qt/fonts.h"

#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

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
    const platform::Rgb rgb = platform::resolveColour(platform::kSystemColourFlag | index);
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace

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
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the window to the installed entry and its icon (the
    // Wayland application ID); the window's own icon serves desktops that do not.
    QGuiApplication::setDesktopFileName(QStringLiteral(PEMTOS_APP_ID));
    initIconResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setPalette(classicPalette());
    QApplication::setFont(defaultFont());
}

} // namespace pemtos::qt
