#pragma once
// A drop-down list of colours, each entry with a swatch: the sixteen standard colours, the
// twenty-five system colours (0xFF000000 plus their number, drawn in the desktop palette's
// colours), and last "Custom", which opens the colour-choice dialog and then holds the colour
// picked there.
//
// SelectedColor is the colour of the selected entry in the 0x00BBGGRR convention. Setting it
// selects the first entry of that colour or, when no entry has it, gives it to "Custom" and
// selects that.

#include <QComboBox>

#include "player/PlayerTypes.h"

namespace corvane {

class TColorComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(uint SelectedColor READ SelectedColor WRITE SetSelectedColor NOTIFY Changed)

  public:
    static constexpr int StandardColorCount = 16;
    static constexpr int SystemColorCount = 25;
    // The position of "Custom", the last entry.
    static constexpr int CustomIndex = StandardColorCount + SystemColorCount;

    explicit TColorComboBox(QWidget* parent = nullptr);

    TColor SelectedColor() const;
    void SetSelectedColor(TColor color);

    // The colour of an entry.
    TColor ColorAt(int index) const;

  signals:
    // The selected colour changed.
    void Changed();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    int FIndex = 0;
    int FPreviousIndex = 0;
    // The selection has just moved; the user's activation that follows may undo it.
    bool FJustMoved = false;
    TColor FColor = clBlack;

    void SetCustomColor(TColor color);
    void UpdateSwatches();
    void Activated(int index);
    void Selected();
};

}  // namespace corvane
