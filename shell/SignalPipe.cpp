#include "shell/SignalPipe.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace corvane {

namespace {
// The write end for the handler; a signal handler can reach nothing but static data.
volatile sig_atomic_t WriteFd = -1;

void Handler(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (WriteFd >= 0) {
        const ssize_t written = ::write(WriteFd, &byte, 1);
        (void)written;  // a full pipe holds enough signals already
    }
    errno = savedErrno;
}
}  // namespace

TSignalPipe::TSignalPipe(std::vector<int> signalNumbers, QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, FFds) != 0)
        throw std::runtime_error("cannot create the signal pipe");
    WriteFd = FFds[1];
    FNotifier = new QSocketNotifier(FFds[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TSignalPipe::ReadSignals);
    for (int number : signalNumbers) {
        struct sigaction action {};
        action.sa_handler = Handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        TSaved saved{number, {}};
        if (::sigaction(number, &action, &saved.Action) == 0) FSaved.push_back(saved);
    }
}

TSignalPipe::~TSignalPipe() {
    for (const TSaved& saved : FSaved) ::sigaction(saved.Signal, &saved.Action, nullptr);
    WriteFd = -1;
    delete FNotifier;
    ::close(FFds[0]);
    ::close(FFds[1]);
}

void TSignalPipe::ReadSignals() {
    unsigned char bytes[16];
    ssize_t count;
    while ((count = ::read(FFds[0], bytes, sizeof bytes)) > 0)
        for (ssize_t i = 0; i < count; ++i) emit Received(bytes[i]);
}

}  // namespace corvane
