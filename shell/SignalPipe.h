#pragma once
// Turns the termination signals into an event of the main thread: the signal handler only writes
// the signal's number into a pipe, and a socket notifier on the other end emits Received, so that
// the run can end through its normal end sequence. One object at a time; the previous handlers
// come back when it is destroyed.

#include <QObject>

#include <csignal>
#include <vector>

class QSocketNotifier;

namespace corvane {

class TSignalPipe : public QObject {
    Q_OBJECT

  public:
    explicit TSignalPipe(std::vector<int> signalNumbers = {SIGTERM, SIGINT},
                         QObject* parent = nullptr);
    ~TSignalPipe() override;

  signals:
    void Received(int signalNumber);

  private:
    struct TSaved {
        int Signal;
        struct sigaction Action;
    };
    std::vector<TSaved> FSaved;
    int FFds[2] = {-1, -1};
    QSocketNotifier* FNotifier = nullptr;

    void ReadSignals();
};

}  // namespace corvane
