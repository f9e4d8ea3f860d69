#pragma once
// The application object of the program. An error that escapes an event handler goes to the
// program's error report (ReportError) instead of ending the program.

#include <QApplication>

namespace corvane {

class TScreensaverApplication : public QApplication {
    Q_OBJECT

  public:
    TScreensaverApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The default error report: a message box with the error's text over the active window.
void ShowErrorMessageBox(const std::string& message);

}  // namespace corvane
