// SPDX-License-Identifier: MIT
#include "webdriversession.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>

namespace pemtos::page {
namespace {

/// How long the WebDriver server may take over one command (a page load included).
constexpr int kAnswerTimeoutMs = 60'000;

/// The body of an HTTP/1.1 exchange with the loopback port `port`; empty when none came.
QByteArray exchange(int port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (!socket.waitForConnected())
        return {};
    socket.write(request);
    // The answer's length is in its headers; the server may keep the connection open.
    QByteArray response;
    qsizetype headersEnd = -1;
    qsizetype wanted = -1;
    while ((wanted < 0 || response.size() < wanted) && socket.waitForReadyRead(kAnswerTimeoutMs)) {
        response += socket.readAll();
        if (headersEnd < 0 && (headersEnd = response.indexOf("\r\n\r\n")) >= 0) {
            const QByteArray headers = response.left(headersEnd).toLower();
            const qsizetype length = headers.indexOf("content-length:");
            if (length >= 0)
                wanted = headersEnd + 4 + headers.mid(length + 15).split('\r').front().trimmed().toLongLong();
        }
    }
    return headersEnd < 0 ? QByteArray() : response.mid(headersEnd + 4);
}

} // namespace

WebDriverSession::WebDriverSession(int port, const QJsonObject &capabilities) : m_port(port)
{
    const Reply reply = send("POST", QStringLiteral("/session"),
                             QJsonObject{{"capabilities", QJsonObject{{"alwaysMatch", capabilities}}}});
    m_error = reply.error;
    m_id = reply.value.toObject().value("sessionId").toString();
    if (m_id.isEmpty() && m_error.empty())
        m_error = "no session";
}

WebDriverSession::~WebDriverSession()
{
    if (opened())
        (void)send("DELETE", "/session/" + m_id, {});
}

Reply WebDriverSession::command(const char *method, const QString &path, const QJsonObject &body)
{
    return send(method, "/session/" + m_id + path, body);
}

Reply WebDriverSession::devTools(const QString &name, const QJsonObject &parameters)
{
    return command("POST", QStringLiteral("/goog/cdp/execute"), QJsonObject{{"cmd", name}, {"params", parameters}});
}

Reply WebDriverSession::send(const char *method, const QString &path, const QJsonObject &body)
{
    const QByteArray content = std::string(method) == "POST" ? QJsonDocument(body).toJson() : QByteArray();
    const QByteArray request = QByteArray(method) + ' ' + path.toUtf8() +
                               " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                               "Content-Type: application/json; charset=utf-8\r\nContent-Length: " +
                               QByteArray::number(content.size()) + "\r\n\r\n" + content;
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(exchange(m_port, request), &parsed);
    if (parsed.error != QJsonParseError::NoError)
        return {QJsonValue(), "no answer from the WebDriver server to " + path.toStdString()};
    const QJsonValue value = document.object().value("value");
    const QString error = value.toObject().value("error").toString();
    if (!error.isEmpty())
        return {value, (error + ": " + value.toObject().value("message").toString()).toStdString()};
    return {value, {}};
}

} // namespace pemtos::page
