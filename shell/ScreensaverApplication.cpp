#include "shell/ScreensaverApplication.h"

#include <QMessageBox>

#include "settings/ErrorReport.h"

namespace corvane {

TScreensaverApplication::TScreensaverApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName("corvane-slideshow");
    setApplicationDisplayName("Corvane Slideshow");
}

bool TScreensaverApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error");
    }
    return false;
}

void ShowErrorMessageBox(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                    QString::fromStdString(message), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace corvane
