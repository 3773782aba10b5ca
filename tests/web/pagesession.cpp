// SPDX-License-Identifier: MIT
#include "pagesession.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace pemtos::page {
namespace {

constexpr const char *kPython = "/usr/bin/python3";
constexpr const char *kChromium = "/usr/bin/chromium";
constexpr const char *kChromeDriver = "/usr/bin/chromedriver";
constexpr std::chrono::seconds kStartTimeout{20};

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
    m_server = std::make_unique<ChildProcess>(std::vector<std::string>{
        kPython, "-m", "http.server", std::to_string(serverPort), "--bind", "127.0.0.1", "--directory", site});
    const int driverPort = freeLoopbackPort();
    m_driver =
        std::make_unique<ChildProcess>(std::vector<std::string>{kChromeDriver, "--port=" + std::to_string(driverPort)});
    if (!waitForPort(serverPort, kStartTimeout) || !waitForPort(driverPort, kStartTimeout)) {
        m_problem = "the site's server or chromedriver did not start";
        return;
    }
    m_url = QStringLiteral("http://127.0.0.1:%1/").arg(serverPort);

    std::string profile = (std::filesystem::temp_directory_path() / "pemtos-chromium-XXXXXX").string();
    if (mkdtemp(profile.data()) != nullptr)
        m_profile = profile;
    QJsonArray arguments;
    for (const char *flag :
         {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
          "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
          "--hide-scrollbars", "--force-device-scale-factor=1", "--window-size=1280,800", "--lang=ja"})
        arguments.append(QString::fromLatin1(flag));
    arguments.append(QString::fromStdString("--user-data-dir=" + m_profile));
    m_browser = std::make_unique<WebDriverSession>(
        driverPort, QJsonObject{{"browserName", "chrome"},
                                {"goog:chromeOptions", QJsonObject{{"binary", kChromium}, {"args", arguments}}}});
    if (!m_browser->opened())
        m_problem = "Chromium did not start: " + m_browser->error();
}

PageSession::~PageSession()
{
    m_browser.reset();
    m_driver.reset();
    m_server.reset();
    if (!m_profile.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_profile, ignored);
    }
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
