// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace pemtos::page {

/// A program the browser tests start and stop: the WebDriver server, the site's
/// static file server. Its output goes nowhere; it is stopped when this is destroyed.
class ChildProcess {
public:
    /// Starts `arguments[0]` with the others as its arguments.
    explicit ChildProcess(const std::vector<std::string> &arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ChildProcess(ChildProcess &&) = delete;
    ChildProcess &operator=(ChildProcess &&) = delete;

    /// Whether it was started and has not ended.
    [[nodiscard]] bool running();

private:
    pid_t m_pid = -1;
};

/// A loopback port that nothing listens on now.
[[nodiscard]] int freeLoopbackPort();

/// Waits until something accepts connections on loopback port `port`; false after `timeout`.
[[nodiscard]] bool waitForPort(int port, std::chrono::milliseconds timeout);

} // namespace pemtos::page
