// SPDX-License-Identifier: MIT
// Starts a program and its baseline in turn, many times, and reports for each the
// median time from process start to its first painted frame and the median peak
// resident memory, with the ratio program/baseline.
//
//   pemtos_startup_bench RUNS PROGRAM BASELINE [WRAPPER...]
//
// Each is started as WRAPPER... PROGRAM (e.g. "wine" for a Windows program). It
// signals its first frame by writing one line on stdout and then exits; the time is
// taken when that line arrives, so the figure means the same for any program. Peak
// memory is the child's ru_maxrss from wait4.
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMilliseconds = 60'000;

struct Sample {
    double firstPaintMs;
    long peakKiB;
};

std::int64_t monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

/// One start of `command`; no value when it did not report a first frame or failed.
std::optional<Sample> runOnce(const std::vector<std::string> &command)
{
    std::array<int, 2> pipe{};
    if (::pipe(pipe.data()) != 0)
        return std::nullopt;
    std::vector<char *> argv;
    argv.reserve(command.size() + 1);
    for (const std::string &word : command)
        argv.push_back(const_cast<char *>(word.c_str())); // NOLINT(cppcoreguidelines-pro-type-const-cast)
    argv.push_back(nullptr);

    const std::int64_t started = monotonicNs();
    const std::string stamp = std::to_string(started);
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        dup2(pipe[1], STDOUT_FILENO);
        close(pipe[0]);
        close(pipe[1]);
        if (std::getenv("PEMTOS_BENCH_VERBOSE") == nullptr) {      // NOLINT(concurrency-mt-unsafe)
            if (std::freopen("/dev/null", "w", stderr) == nullptr) // NOLINT(cppcoreguidelines-owning-memory)
                _exit(126);
        }
        setenv("PEMTOS_BENCH_T0_NS", stamp.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipe[1]);

    std::optional<double> firstPaintMs;
    std::string line;
    pollfd readable{pipe[0], POLLIN, 0};
    for (;;) {
        const int ready = poll(&readable, 1, kTimeoutMilliseconds);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            kill(child, SIGKILL);
            break;
        }
        std::array<char, 256> buffer{};
        const ssize_t got = read(pipe[0], buffer.data(), buffer.size());
        if (got <= 0)
            break;
        if (!firstPaintMs) {
            line.append(buffer.data(), static_cast<std::size_t>(got));
            if (line.find('\n') != std::string::npos)
                firstPaintMs = static_cast<double>(monotonicNs() - started) / 1e6;
        }
    }
    close(pipe[0]);

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const bool exitedWell =
        WIFEXITED(status) && WEXITSTATUS(status) == 0; // NOLINT(cppcoreguidelines-pro-type-union-access)
    if (!firstPaintMs || !exitedWell) {
        std::cerr << command.back() << ": no first frame reported (wait status " << status << "): " << line << '\n';
        return std::nullopt;
    }
    return Sample{*firstPaintMs, usage.ru_maxrss};
}

template <typename T> double median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return static_cast<double>(values[middle]);
    return (static_cast<double>(values[middle - 1]) + static_cast<double>(values[middle])) / 2.0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " RUNS PROGRAM BASELINE [WRAPPER...]\n";
        return 64;
    }
    const auto runs = static_cast<int>(std::strtol(argv[1], nullptr, 10));
    const std::vector<std::string> wrapper(argv + 4, argv + argc);
    const std::array<std::string, 2> programs{argv[2], argv[3]};
    std::array<std::vector<double>, 2> times;
    std::array<std::vector<long>, 2> peaks;

    // One warm-up start each, so that both find the same files in the page cache.
    for (const std::string &program : programs) {
        std::vector<std::string> command = wrapper;
        command.push_back(program);
        if (!runOnce(command))
            return 1;
    }
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, so that neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const auto which = static_cast<std::size_t>((run + turn) % 2);
            std::vector<std::string> command = wrapper;
            command.push_back(programs[which]);
            const std::optional<Sample> sample = runOnce(command);
            if (!sample)
                return 1;
            times[which].push_back(sample->firstPaintMs);
            peaks[which].push_back(sample->peakKiB);
        }
    }

    const double time0 = median(times[0]);
    const double time1 = median(times[1]);
    const double peak0 = median(peaks[0]);
    const double peak1 = median(peaks[1]);
    const auto row = [](const char *name, double time, double peak, int precision) {
        std::cout << std::left << std::setw(22) << name << std::right << std::fixed << std::setprecision(precision)
                  << std::setw(15) << time << std::setprecision(precision == 1 ? 0 : precision) << std::setw(15) << peak
                  << '\n';
    };
    std::cout << std::setw(22) << "" << std::setw(15) << "first paint ms" << std::setw(15) << "peak RSS KiB" << '\n';
    row("program (median)", time0, peak0, 1);
    row("baseline (median)", time1, peak1, 1);
    row("ratio program/baseline", time0 / time1, peak0 / peak1, 3);
    std::cout << "(" << runs << " runs each, alternating)\n";
    return 0;
}
