#pragma once
// A page control with its tabs on the left edge: each tab shows its icon above its caption, the
// current tab's caption in bold, with rounded corners. The tab strip has a fixed width and never
// takes the keyboard focus.

#include <QTabBar>
#include <QTabWidget>

namespace corvane {

class TTabStrip : public QTabBar {
    Q_OBJECT

  public:
    static constexpr int StripWidth = 59;
    static constexpr int IconSize = 32;

    explicit TTabStrip(QWidget* parent = nullptr);

  protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;
};

class TPageControl : public QTabWidget {
    Q_OBJECT

  public:
    explicit TPageControl(QWidget* parent = nullptr);
};

}  // namespace corvane
