// SPDX-License-Identifier: MIT
#include "qt/startup.h"

#include "qt/application.h"
#include "qt/fonts.h"
#include "qt/qtform.h"

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
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

/// Qt ends the program with abort() and a core dump when its platform plugin cannot
/// start (no X server at DISPLAY, a platform it does not have...). While the
/// application object is being built, this handler holds back Qt's messages; on
/// that fatal one it prints a single line with the reason Qt's platform code gave
/// (which names the display it could not reach), and exits with status 1.
///
/// The display is not probed beforehand on purpose: a bare X server with no other
/// client resets when a probe's connection closes, and refuses Qt's connection
/// made in that moment.
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

    /// The first complaint of Qt's platform code ("could not connect to display :1"),
    /// else the first line of the fatal message itself.
    static QString reasonFor(const QString &fatal)
    {
        for (const Held &message : held()) {
            if (message.type != QtDebugMsg && message.type != QtInfoMsg && message.category.startsWith("qt.qpa"))
                return message.message;
        }
        return fatal.section(QLatin1Char('\n'), 0, 0);
    }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtFatalMsg) {
            held().push_back({type, QByteArray(context.category), message});
            return;
        }
        const std::string_view platform = environment("QT_QPA_PLATFORM");
        std::cerr << "pemtos cannot open its window: "
                  << reasonFor(message).section(QLatin1Char('\n'), 0, 0).trimmed().toLocal8Bit().constData()
                  << " (Qt platform \"" << (platform.empty() ? "default" : platform) << "\")." << std::endl;
        std::_Exit(1);
    }

    QtMessageHandler m_previous;
};

} // namespace

int runProgram(int argc, char *argv[], const std::function<void(QWidget &window)> &shown)
{
    if (const std::optional<std::string> problem = displayProblem()) {
        std::cerr << *problem << std::endl;
        return 1;
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
    giveIconAfterFirstFrame(form);
    if (shown)
        shown(form);
    return QApplication::exec();
}

} // namespace pemtos::qt
