#pragma once
// A text label that behaves like a web link: underlined in a link colour (blue), the hand cursor
// over it, another colour (ActiveFontColor, red) while the mouse is over it, and a click hands URL
// to the desktop, which opens it in the user's browser or mail program.
//
// On entering, the label remembers its font colour at that moment and shows ActiveFontColor; on
// leaving, it shows the remembered colour again. A click first emits Clicked, then opens URL as it
// stands, unless URL is empty or only blanks. Caption, hint and URL are independent of each other.

#include <QLabel>

#include "player/PlayerTypes.h"

namespace corvane {

class TNyLinkLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(uint ActiveFontColor READ ActiveFontColor WRITE SetActiveFontColor)
    Q_PROPERTY(uint FontColor READ FontColor WRITE SetFontColor)

  public:
    static constexpr TColor DefaultFontColor = 0xFF0000;        // blue
    static constexpr TColor DefaultActiveFontColor = 0x0000FF;  // red

    explicit TNyLinkLabel(QWidget* parent = nullptr);

    const QString& URL() const { return FURL; }
    void SetURL(const QString& url) { FURL = url; }
    TColor ActiveFontColor() const { return FActiveFontColor; }
    void SetActiveFontColor(TColor color) { FActiveFontColor = color; }
    // The colour the caption is drawn in.
    TColor FontColor() const;
    void SetFontColor(TColor color);

    // What a click does: Clicked, then the address.
    void Click();

  signals:
    void Clicked();
    void MouseEntered();
    void MouseLeft();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString FURL;
    TColor FRememberedColor = 0;
    TColor FActiveFontColor = DefaultActiveFontColor;
};

}  // namespace corvane
