// SPDX-License-Identifier: MIT
#pragma once

#include "webdriversession.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace pemtos::page {

/// The size of the browser's viewport in CSS pixels, and whether it is a phone's.
struct Viewport {
    int width = 0;
    int height = 0;
    bool mobile = false;

    friend bool operator==(const Viewport &, const Viewport &) = default;
};

/// The site served on a loopback port and one headless Chromium, driven through
/// chromedriver, shared by every test of the run: starting a browser costs seconds,
/// a page load a few milliseconds.
class PageSession {
public:
    /// Serves the folder `site` and opens the browser; `problem()` says what failed.
    explicit PageSession(const std::string &site);
    ~PageSession();
    PageSession(const PageSession &) = delete;
    PageSession &operator=(const PageSession &) = delete;
    PageSession(PageSession &&) = delete;
    PageSession &operator=(PageSession &&) = delete;

    /// Empty when the server and the browser are up, else what went wrong.
    [[nodiscard]] const std::string &problem() const { return m_problem; }
    [[nodiscard]] WebDriverSession &browser() { return *m_browser; }
    /// The site's address.
    [[nodiscard]] const QString &url() const { return m_url; }
    /// Gives the page `viewport`'s size, unless it has it already.
    void resize(const Viewport &viewport);

    /// The session of this run, set by the test program's main().
    static PageSession &current();
    static void setCurrent(PageSession *session);

private:
    QTemporaryDir m_profile;
    QProcess m_server;
    QProcess m_driver;
    std::unique_ptr<WebDriverSession> m_browser;
    QString m_url;
    Viewport m_viewport;
    std::string m_problem;
};

} // namespace pemtos::page
