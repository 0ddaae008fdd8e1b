#include "qt/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vz::qt {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> on_signal) : on_signal_(std::move(on_signal)) {
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Read(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals) sigaction(s, &action, nullptr);
}

StopSignals::~StopSignals() {
    for (int s : kSignals) signal(s, SIG_DFL);
    notifier_.reset();
    if (g_pipe[0] >= 0) close(g_pipe[0]);
    if (g_pipe[1] >= 0) close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void StopSignals::Read() {
    unsigned char byte = 0;
    while (read(g_pipe[0], &byte, 1) == 1) on_signal_(byte);
}

}  // namespace vz::qt
