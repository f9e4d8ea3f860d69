#pragma once
// A list whose items each carry a tick box. Ticks are separate from the selection: several items
// can be selected at once, and the cursor (the focused item) is ItemIndex, -1 when there is none.
//
// Clicked is the list's click notification: it comes whenever the user moves the selection or the
// cursor with the mouse or the keyboard, and for a click on an item (once per click). Changes made
// by the program do not raise it. TickChanged comes whenever an item's tick changes, by the user or
// by the program, with the item's index and its new state.

#include <QListWidget>

#include <vector>

namespace corvane {

class TCheckListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)

  public:
    static constexpr int ItemHeight = 17;

    explicit TCheckListBox(QWidget* parent = nullptr);

    // Adds an item, unticked and enabled.
    void AddItem(const QString& text);
    int Count() const { return count(); }

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    int CheckedCount() const { return FCheckedCount; }

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    int ItemIndex() const { return currentRow(); }
    // Moves the cursor to the item and selects it alone.
    void SetItemIndex(int index);

  signals:
    void Clicked();
    void TickChanged(int index, bool checked);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<bool> FTicks;  // the tick of each item as last reported
    int FCheckedCount = 0;
    int FUserInput = 0;  // depth of user input being handled
    bool FClickedSincePress = false;

    void ItemChanged(QListWidgetItem* item);
    void CursorMoved();
};

}  // namespace corvane
