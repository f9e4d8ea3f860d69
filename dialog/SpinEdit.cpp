#include "dialog/SpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(true);
    lineEdit()->setText(QString::number(0));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Changed);
}

double TSpinEdit::Checked(double value) const {
    if (!std::isfinite(value)) value = FMinValue;
    value = std::round(value);
    return Limited() ? std::clamp(value, FMinValue, FMaxValue) : value;
}

double TSpinEdit::Value() const {
    bool number = false;
    const double typed = lineEdit()->text().trimmed().toDouble(&number);
    return Checked(number ? typed : FMinValue);
}

int TSpinEdit::IntValue() const {
    using Limits = std::numeric_limits<int>;
    return int(std::clamp(std::llround(Value()), static_cast<long long>(Limits::min()),
                          static_cast<long long>(Limits::max())));
}

void TSpinEdit::SetValue(double value) {
    ShowValue(Checked(value));
}

void TSpinEdit::ShowValue(double value) {
    const QString text = QString::number(value, 'f', 0);
    if (text != lineEdit()->text()) lineEdit()->setText(text);
}

void TSpinEdit::SetMinValue(double value) {
    FMinValue = value;
    SetValue(Value());
}

void TSpinEdit::SetMaxValue(double value) {
    FMaxValue = value;
    SetValue(Value());
}

void TSpinEdit::stepBy(int steps) {
    SetValue(Value() + steps * FIncrement);
    selectAll();
}

QValidator::State TSpinEdit::validate(QString&, int&) const {
    // Anything may be typed; Value reads it, and leaving the box puts it right.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (!Limited()) return StepUpEnabled | StepDownEnabled;
    const double value = Value();
    StepEnabled enabled = StepNone;
    if (value < FMaxValue) enabled |= StepUpEnabled;
    if (value > FMinValue) enabled |= StepDownEnabled;
    return enabled;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    ShowValue(Value());
}

}  // namespace corvane
