// SPDX-License-Identifier: MIT
#include "webdriversession.h"

#include <QJsonDocument>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace pemtos::page {
namespace {

/// The body of an HTTP/1.1 exchange with the loopback port `port`; empty when none came.
std::string exchange(int port, const std::string &request)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string response;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the socket API's own address type
    if (connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        std::size_t sent = 0;
        while (sent < request.size()) {
            const ssize_t n = ::send(socket, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<std::size_t>(n);
        }
        // The answer's length is in its headers; the server may keep the connection open.
        std::array<char, 65536> buffer{};
        std::size_t wanted = std::string::npos;
        for (ssize_t n = 0; response.size() < wanted && (n = recv(socket, buffer.data(), buffer.size(), 0)) > 0;) {
            response.append(buffer.data(), static_cast<std::size_t>(n));
            const std::size_t headersEnd = response.find("\r\n\r\n");
            if (wanted == std::string::npos && headersEnd != std::string::npos) {
                std::string headers = response.substr(0, headersEnd);
                std::transform(headers.begin(), headers.end(), headers.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                const std::size_t length = headers.find("content-length:");
                if (length != std::string::npos)
                    wanted = headersEnd + 4 + std::stoul(headers.substr(length + 15));
            }
        }
    }
    close(socket);
    const std::size_t body = response.find("\r\n\r\n");
    return body == std::string::npos ? std::string() : response.substr(body + 4);
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
    const std::string content = std::string(method) == "POST" ? QJsonDocument(body).toJson().toStdString() : "";
    const std::string request = std::string(method) + " " + path.toStdString() +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                                "Content-Type: application/json; charset=utf-8\r\nContent-Length: " +
                                std::to_string(content.size()) + "\r\n\r\n" + content;
    const std::string answer = exchange(m_port, request);
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(answer), &parsed);
    if (parsed.error != QJsonParseError::NoError)
        return {QJsonValue(), "no answer from the WebDriver server to " + path.toStdString()};
    const QJsonValue value = document.object().value("value");
    const QString error = value.toObject().value("error").toString();
    if (!error.isEmpty())
        return {value, (error + ": " + value.toObject().value("message").toString()).toStdString()};
    return {value, {}};
}

} // namespace pemtos::page
