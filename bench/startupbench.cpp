// SPDX-License-Identifier: MIT
// Starts a program and its references in turn, many times, and reports for each the
// median time from process start to its first painted frame and the median peak
// resident memory, with the ratios program/reference and between the references.
//
//   pemtos_startup_bench RUNS PROGRAM REFERENCE [REFERENCE...] [-- WRAPPER...]
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

/// The file name of `path`, to label its rows.
std::string baseName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " RUNS PROGRAM REFERENCE [REFERENCE...] [-- WRAPPER...]\n";
        return 64;
    }
    const auto runs = static_cast<int>(std::strtol(argv[1], nullptr, 10));
    std::vector<std::string> programs;
    std::vector<std::string> wrapper;
    for (int index = 2; index < argc; ++index) {
        if (std::string(argv[index]) == "--") {
            wrapper.assign(argv + index + 1, argv + argc);
            break;
        }
        programs.emplace_back(argv[index]);
    }
    if (programs.size() < 2) {
        std::cerr << argv[0] << ": needs a program and at least one reference\n";
        return 64;
    }
    const std::size_t count = programs.size();
    std::vector<std::vector<double>> times(count);
    std::vector<std::vector<long>> peaks(count);

    // One warm-up start each, so that all find the same files in the page cache.
    for (const std::string &program : programs) {
        std::vector<std::string> command = wrapper;
        command.push_back(program);
        if (!runOnce(command))
            return 1;
    }
    for (int run = 0; run < runs; ++run) {
        // Rotate which goes first, so that none always follows another: each run is
        // one start of every program, back to back, under the same load.
        for (std::size_t turn = 0; turn < count; ++turn) {
            const std::size_t which = (static_cast<std::size_t>(run) + turn) % count;
            std::vector<std::string> command = wrapper;
            command.push_back(programs[which]);
            const std::optional<Sample> sample = runOnce(command);
            if (!sample)
                return 1;
            times[which].push_back(sample->firstPaintMs);
            peaks[which].push_back(sample->peakKiB);
        }
    }

    std::cout << std::left << std::setw(40) << "" << std::right << std::setw(15) << "first paint ms" << std::setw(15)
              << "peak RSS KiB" << '\n';
    for (std::size_t which = 0; which < count; ++which) {
        std::cout << std::left << std::setw(40) << baseName(programs[which]) + " (median)" << std::right << std::fixed
                  << std::setprecision(1) << std::setw(15) << median(times[which]) << std::setprecision(0)
                  << std::setw(15) << median(peaks[which]) << '\n';
    }
    // Each run's program start against the reference's start of the same run; then
    // each reference against each later one, paired the same way.
    const auto printRatio = [&](std::size_t first, std::size_t second, const std::string &label) {
        std::vector<double> timeRatios;
        std::vector<double> peakRatios;
        for (std::size_t run = 0; run < times[first].size(); ++run) {
            timeRatios.push_back(times[first][run] / times[second][run]);
            peakRatios.push_back(static_cast<double>(peaks[first][run]) / static_cast<double>(peaks[second][run]));
        }
        std::cout << std::left << std::setw(40) << "ratio " + label << std::right << std::setprecision(3)
                  << std::setw(15) << median(timeRatios) << std::setw(15) << median(peakRatios) << '\n';
    };
    for (std::size_t which = 1; which < count; ++which)
        printRatio(0, which, "program/" + baseName(programs[which]));
    for (std::size_t first = 1; first < count; ++first) {
        for (std::size_t second = first + 1; second < count; ++second)
            printRatio(first, second, baseName(programs[first]) + "/" + baseName(programs[second]));
    }
    std::cout << "(" << runs << " runs, each starting every program once in turn; ratios are medians of the runs' "
              << "paired ratios)\n";
    return 0;
}
