#pragma once
// The part of the program's base services that needs the user interface: keeping a form's control
// values in the settings file, the confirmation box, and handing a file or an address to the
// desktop.
//
// A form's values live in the section named after the form's object name, one entry per value,
// named component "." property: the component is a child of the form (found by its object name)
// and the property one of its Qt properties. Names are matched as the settings file matches
// them, without regard to letter case (an exact match first). Only keys the section already holds
// are loaded and stored; a value whose property is of another kind than integer (with Booleans
// and enumerations), floating point or string is left alone.

#include <QString>
#include <QWidget>

#include <stdexcept>
#include <string>

#include "settings/NyMemIniFile.h"

namespace corvane {

// A stored key names a component of the form with a property the component does not have.
class EPropertyError : public std::runtime_error {
  public:
    explicit EPropertyError(const std::string& property)
        : std::runtime_error("Property " + property + " does not exist") {}
};

// Applies the stored values of the form's section to its components. With placement, the form's
// "Width", "Height", "Left" and "Top" (each only when above 0) and "WindowState" (0 normal,
// 1 minimised, 2 maximised) come first. Nothing happens when the section does not exist. Throws
// EPropertyError at the first key whose property does not exist; the keys before it are applied.
void LoadForm(const TNyMemIniFile& ini, QWidget& form, bool placement = false);

// Stores the current values of the components that the section's keys name, each in its kind.
// Never adds a key. With placement, writes the form's size, position and window state too.
// Throws EPropertyError like LoadForm; the keys before the bad one are stored.
void SaveForm(TNyMemIniFile& ini, QWidget& form, bool placement = false);

// Asks the question in a box over the active window, captioned with the application's display
// name, with a question icon and the buttons OK and Cancel, Cancel the default. True exactly when
// the user chose OK.
bool ConfirmBox(const QString& text);

// Hands a file path or an address (web, mail) to the desktop, which opens it with the user's
// chosen program. Leading and trailing blanks do not count. The outcome is not checked: the
// desktop reports its own failures.
void ShellOpen(const QString& file);

}  // namespace corvane
