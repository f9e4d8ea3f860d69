#pragma once
// A check box whose state is the property Checked. Any change of the state, by the user or by the
// program, emits toggled.

#include <QCheckBox>

namespace corvane {

class TCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)

  public:
    using QCheckBox::QCheckBox;
};

}  // namespace corvane
