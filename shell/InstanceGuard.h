#pragma once
// The single-instance guard: at most one process of the program runs at a time for one program
// file. The first process registers in the shared instance list and listens on a local socket
// named after the program's base name; a later process finds it registered, asks it over that
// socket to restore and raise its window, and ends.
//
// Errors of the guard are swallowed: a guard that cannot be set up lets start-up go on without it.

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace corvane {

class TInstanceRegistry;

class TInstanceGuard : public QObject {
    Q_OBJECT

  public:
    // Registers this process under the base name; the first instance starts listening. Needs the
    // application object.
    explicit TInstanceGuard(const std::string& baseName, QObject* parent = nullptr);
    ~TInstanceGuard() override;

    // Another instance of the program file was running when this one registered.
    bool SecondInstance() const { return FSecond; }

    // Asks the first instance to restore and raise its window; false when the request could not
    // be delivered (which a second instance ignores).
    bool ActivateFirstInstance(int timeoutMs = 2000);

    // Called in the first instance when a later one asks it to come forward. By default it
    // restores and raises the application's window.
    std::function<void()> OnActivateRequest;

    // The local socket of the program's base name: in $XDG_RUNTIME_DIR, or in the temporary
    // folder with the user id in its name.
    static QString ServerName(const std::string& baseName);

    // Restores the first visible top-level window of the application if it is minimised, raises
    // it and makes it the active window.
    static void RaiseApplicationWindow();

  private:
    std::unique_ptr<TInstanceRegistry> FRegistry;
    QLocalServer* FServer = nullptr;
    QString FServerName;
    bool FSecond = false;

    void Listen();
    void ServeConnection();
};

}  // namespace corvane
