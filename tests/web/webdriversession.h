// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <string>

namespace pemtos::page {

/// What a WebDriver command gave back: its value, or the error it reported.
struct Reply {
    QJsonValue value;
    std::string error; ///< empty when the command succeeded, else WebDriver's error and message
};

/// One browser session of a WebDriver server on a loopback port, spoken to in plain
/// synchronous HTTP: one connection per command.
class WebDriverSession {
public:
    /// Opens a session with these capabilities; `opened()` tells whether it worked.
    WebDriverSession(int port, const QJsonObject &capabilities);
    ~WebDriverSession();
    WebDriverSession(const WebDriverSession &) = delete;
    WebDriverSession &operator=(const WebDriverSession &) = delete;
    WebDriverSession(WebDriverSession &&) = delete;
    WebDriverSession &operator=(WebDriverSession &&) = delete;

    /// Whether the browser started; else `error()` says why.
    [[nodiscard]] bool opened() const { return !m_id.isEmpty(); }
    [[nodiscard]] const std::string &error() const { return m_error; }

    /// Sends `method` to the session's `path` ("/url", "/execute/sync" ...) with `body`.
    Reply command(const char *method, const QString &path, const QJsonObject &body = {});

    /// Sends the DevTools protocol command `name` with `parameters` to the page, through
    /// chromedriver's own connection to it.
    Reply devTools(const QString &name, const QJsonObject &parameters);

private:
    Reply send(const char *method, const QString &path, const QJsonObject &body);

    int m_port;
    QString m_id;
    std::string m_error;
};

} // namespace pemtos::page
