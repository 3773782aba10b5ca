// SPDX-License-Identifier: MIT
#include "firstpaintprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPixmap>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <unistd.h>

namespace pemtos::bench {
namespace {

double nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

/// Milliseconds since the launcher's stamp, or since the process started.
double elapsedMilliseconds()
{
    if (const char *stamp = std::getenv("PEMTOS_BENCH_T0_NS")) // NOLINT(concurrency-mt-unsafe)
        return (nanoseconds(CLOCK_MONOTONIC) - std::strtod(stamp, nullptr)) / 1e6;
    // Field 22 of /proc/self/stat: the start time in clock ticks since boot.
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    std::string field;
    std::size_t position = line.rfind(')') + 2; // the command may hold spaces
    for (int index = 3; index <= 22 && position < line.size(); ++index) {
        const std::size_t end = line.find(' ', position);
        field = line.substr(position, end - position);
        position = end + 1;
    }
    const double started = std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK)) * 1e3;
    return nanoseconds(CLOCK_BOOTTIME) / 1e6 - started;
}

class FirstPaintFilter final : public QObject {
public:
    explicit FirstPaintFilter(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The window's children are painted and the frame is flushed in the same
            // pass as this event: the queued call runs once all of that is done.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::cout << "first-paint " << std::fixed << std::setprecision(3) << elapsedMilliseconds()
                              << std::endl; // flushed: the launcher takes its time when the line arrives
                    // After the figure, so that it costs the measurement nothing.
                    const QString grabTo = qEnvironmentVariable("PEMTOS_BENCH_GRAB");
                    if (!grabTo.isEmpty())
                        qobject_cast<QWidget *>(parent())->grab().save(grabTo);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void quitAfterFirstPaint(QWidget &window)
{
    new FirstPaintFilter(window); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the window owns it
}

} // namespace pemtos::bench
