// SPDX-License-Identifier: MIT
#include "childprocess.h"

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pemtos::page {
namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

/// Starts the program, its output going nowhere; its process id, -1 when it could not.
pid_t start(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str())); // NOLINT(cppcoreguidelines-pro-type-const-cast)
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // Ended with the tests, even when they are killed (a timeout), so that no server
    // or browser outlives them.
    prctl(PR_SET_PDEATHSIG, SIGTERM);              // NOLINT(cppcoreguidelines-pro-type-vararg)
    const int nowhere = open("/dev/null", O_RDWR); // NOLINT(cppcoreguidelines-pro-type-vararg)
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        dup2(nowhere, stream);
    execv(argv.front(), argv.data());
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &arguments) : m_pid(start(arguments)) {}

ChildProcess::~ChildProcess()
{
    if (!running())
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
}

bool ChildProcess::running()
{
    int status = 0;
    if (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_pid = -1;
    return m_pid > 0;
}

int freeLoopbackPort()
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    // NOLINTBEGIN(cppcoreguidelines-pro-type-reinterpret-cast): the socket API's own address type
    if (bind(socket, reinterpret_cast<sockaddr *>(&address), length) == 0 &&
        getsockname(socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    // NOLINTEND(cppcoreguidelines-pro-type-reinterpret-cast)
    close(socket);
    return port;
}

bool waitForPort(int port, std::chrono::milliseconds timeout)
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    do {
        const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(port);
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the socket API's own address type
        const bool accepted = connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        close(socket);
        if (accepted)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

} // namespace pemtos::page
