// SPDX-License-Identifier: MIT
#include "platform/qt/startup.h"

#include "platform/qt/application.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qtform.h"

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <dlfcn.h>

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <utility>
#include <vector>

namespace pemtos::qt {
namespace {

std::string_view environment(const char *name)
{
    const char *value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read before any thread starts
    return value != nullptr ? std::string_view(value) : std::string_view();
}

/// Whether Qt will show the window through its X11 (xcb) platform: asked for by
/// name, or by default where nothing points to a Wayland session.
bool goesThroughX11()
{
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty())
        return platform == "xcb" || platform.starts_with("xcb:");
    return !environment("DISPLAY").empty() && environment("WAYLAND_DISPLAY").empty() &&
           environment("XDG_SESSION_TYPE") != "wayland";
}

/// Qt ends the program with abort() and a core dump when its platform plugin cannot
/// start. While the application object is being built, this handler holds back
/// Qt's messages; on that fatal one it prints a single line naming the first
/// reason Qt gave, and exits with status 1.
class StartGuard {
public:
    StartGuard() : m_previous(qInstallMessageHandler(&StartGuard::handle)) {}
    ~StartGuard()
    {
        qInstallMessageHandler(m_previous);
        // Qt started: its messages go where they would have gone.
        for (const Held &message : std::exchange(held(), {})) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            qt_message_output(message.type, context, message.message);
        }
    }
    StartGuard(const StartGuard &) = delete;
    StartGuard &operator=(const StartGuard &) = delete;
    StartGuard(StartGuard &&) = delete;
    StartGuard &operator=(StartGuard &&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString message;
    };

    /// The messages held back; the handler is a plain function, so they live outside the guard.
    static std::vector<Held> &held()
    {
        static std::vector<Held> messages;
        return messages;
    }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtFatalMsg) {
            held().push_back({type, QByteArray(context.category), message});
            return;
        }
        // The first reason Qt gave is the most specific (e.g. which display it could not reach).
        const QString reason = held().empty() ? message : held().front().message;
        const std::string_view platform = environment("QT_QPA_PLATFORM");
        std::cerr << "pemtos cannot open its window: the Qt platform \"" << (platform.empty() ? "default" : platform)
                  << "\" did not start (" << reason.section(QLatin1Char('\n'), 0, 0).trimmed().toLocal8Bit().constData()
                  << ")." << std::endl;
        std::_Exit(1);
    }

    QtMessageHandler m_previous;
};

} // namespace

std::optional<std::string> x11Problem()
{
    if (!goesThroughX11())
        return std::nullopt;
    // libxcb is what Qt's X11 platform connects with; it is asked directly, so the
    // program itself needs no X11 library. Without it Qt cannot use X11 either, and
    // its own report is left to the start guard.
    void *xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (xcb == nullptr)
        return std::nullopt;
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    const auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    std::optional<std::string> problem;
    if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
        void *connection = connect(nullptr, nullptr); // the display DISPLAY names
        if (hasError(connection) != 0) {
            problem = "pemtos cannot open its window: no X server answers at the display \"" +
                      std::string(environment("DISPLAY")) + "\" (DISPLAY), or it refused the connection.";
        }
        disconnect(connection);
    }
    dlclose(xcb);
    return problem;
}

int runProgram(int argc, char *argv[], const std::function<void(QWidget &window)> &shown)
{
    for (const auto &check : {&displayProblem, &x11Problem}) {
        if (const std::optional<std::string> problem = check()) {
            std::cerr << *problem << std::endl;
            return 1;
        }
    }
    // The program takes no command line: Qt is shown only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    std::optional<StartGuard> guard(std::in_place);
    QApplication application(qtArgc, argv);
    guard.reset();
    setUpApplication();
    if (const std::optional<std::string> problem = japaneseFontProblem())
        std::cerr << *problem << std::endl;

    QtForm form;
    form.show();
    if (shown)
        shown(form);
    return QApplication::exec();
}

} // namespace pemtos::qt
