#pragma once
// The full-screen show's input filter, installed on the application so that it sees every event
// of every window before the window does. A key press or a mouse button press closes the show;
// the first mouse move only notes where the pointer is, and a later move to any other position
// closes. The filter never consumes an event.

#include <QObject>
#include <QPoint>

#include <functional>

namespace corvane {

class TInputFilter : public QObject {
    Q_OBJECT

  public:
    explicit TInputFilter(std::function<void()> closeShow, QObject* parent = nullptr);

    // The position of the first mouse move, (-1, -1) until one came.
    QPoint MouseStart() const { return FMouseStart; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> FCloseShow;
    QPoint FMouseStart{-1, -1};
};

}  // namespace corvane
