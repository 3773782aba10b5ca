// SPDX-License-Identifier: MIT
#include "pagesession.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <sys/prctl.h>

#include <csignal>
#include <filesystem>

namespace pemtos::page {
namespace {

constexpr const char *kPython = "/usr/bin/python3";
constexpr const char *kChromium = "/usr/bin/chromium";
constexpr const char *kChromeDriver = "/usr/bin/chromedriver";
constexpr std::chrono::seconds kStartTimeout{20};

/// Starts `program` with `arguments`, its output going nowhere. It ends with the tests
/// even when they are killed (a timeout), so that no server or browser outlives them.
void startQuietly(QProcess &process, const char *program, const QStringList &arguments)
{
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setChildProcessModifier(
        [] { prctl(PR_SET_PDEATHSIG, SIGTERM); }); // NOLINT(cppcoreguidelines-pro-type-vararg)
    process.start(QString::fromLatin1(program), arguments);
}

/// Stops a program started by startQuietly.
void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    process.waitForFinished();
}

/// A loopback port that nothing listens on now.
int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

/// Waits until something accepts connections on loopback port `port`.
bool waitForPort(int port)
{
    const auto until = std::chrono::steady_clock::now() + kStartTimeout;
    do {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        if (socket.waitForConnected())
            return true;
        QThread::msleep(20);
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

PageSession *g_current = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): one per run

} // namespace

PageSession::PageSession(const std::string &site)
{
    for (const char *program : {kPython, kChromium, kChromeDriver}) {
        if (!std::filesystem::exists(program)) {
            m_problem = std::string(program) + " is missing: ./dev.sh installs it (WEB_PACKAGES)";
            return;
        }
    }
    if (!std::filesystem::exists(std::filesystem::path(site) / "pemtos.wasm")) {
        m_problem = "no built site in " + site + ": build it first (cmake --build --preset web)";
        return;
    }
    const int serverPort = freeLoopbackPort();
    startQuietly(m_server, kPython,
                 {"-m", "http.server", QString::number(serverPort), "--bind", "127.0.0.1", "--directory",
                  QString::fromStdString(site)});
    const int driverPort = freeLoopbackPort();
    startQuietly(m_driver, kChromeDriver, {"--port=" + QString::number(driverPort)});
    if (!waitForPort(serverPort) || !waitForPort(driverPort)) {
        m_problem = "the site's server or chromedriver did not start";
        return;
    }
    m_url = QStringLiteral("http://127.0.0.1:%1/").arg(serverPort);

    QJsonArray arguments;
    for (const char *flag :
         {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
          "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
          "--hide-scrollbars", "--force-device-scale-factor=1", "--window-size=1280,800", "--lang=ja"})
        arguments.append(QString::fromLatin1(flag));
    arguments.append("--user-data-dir=" + m_profile.path());
    m_browser = std::make_unique<WebDriverSession>(
        driverPort, QJsonObject{{"browserName", "chrome"},
                                {"goog:chromeOptions", QJsonObject{{"binary", kChromium}, {"args", arguments}}}});
    if (!m_browser->opened()) {
        m_problem = "Chromium did not start: " + m_browser->error();
        return;
    }
    // The suite acts step after step without waiting for motion: on a narrow page that
    // glides to each command's result, the next click would land on what glided past.
    const QJsonObject reducedMotion{{"name", "prefers-reduced-motion"}, {"value", "reduce"}};
    (void)m_browser->devTools(QStringLiteral("Emulation.setEmulatedMedia"),
                              QJsonObject{{"features", QJsonArray{reducedMotion}}});
}

PageSession::~PageSession()
{
    m_browser.reset();
    stop(m_driver);
    stop(m_server);
}

void PageSession::resize(const Viewport &viewport)
{
    if (viewport == m_viewport)
        return;
    m_viewport = viewport;
    const QJsonObject metrics{
        {"width", viewport.width}, {"height", viewport.height}, {"deviceScaleFactor", 1}, {"mobile", viewport.mobile}};
    (void)m_browser->devTools(QStringLiteral("Emulation.setDeviceMetricsOverride"), metrics);
}

PageSession &PageSession::current()
{
    return *g_current;
}

void PageSession::setCurrent(PageSession *session)
{
    g_current = session;
}

} // namespace pemtos::page
