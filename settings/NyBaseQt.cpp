#include "settings/NyBaseQt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMetaProperty>
#include <QUrl>

#include <cstring>
#include <optional>
#include <vector>

namespace corvane {

namespace {

enum class TValueKind { Integer, Float, String, Other };

// The kinds of value a settings entry can hold: 32-bit integers (with Booleans, characters and
// enumerations), floating-point numbers and strings. Anything else is not kept in the file.
TValueKind KindOf(const QMetaProperty& property) {
    const QMetaType type = property.metaType();
    if (property.isEnumType() || (type.flags() & QMetaType::IsEnumeration))
        return TValueKind::Integer;
    switch (type.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Bool:
            return TValueKind::Integer;
        case QMetaType::Double:
        case QMetaType::Float:
            return TValueKind::Float;
        case QMetaType::QString:
            return TValueKind::String;
        default:
            return TValueKind::Other;
    }
}

bool IsEnumeration(const QMetaProperty& property) {
    return property.isEnumType() || (property.metaType().flags() & QMetaType::IsEnumeration);
}

// An enumeration's value from an integer and back, through the bytes of its underlying type, so
// that also enumerations Qt has no names for convert.
QVariant EnumerationValue(const QMetaType& type, int32_t value) {
    QVariant result(type, nullptr);
    std::memcpy(result.data(), &value, std::min<size_t>(size_t(type.sizeOf()), sizeof value));
    return result;
}

int32_t EnumerationInteger(const QVariant& value) {
    int32_t result = 0;
    const size_t size = std::min<size_t>(size_t(value.metaType().sizeOf()), sizeof result);
    std::memcpy(&result, value.constData(), size);
    if (size < sizeof result &&
        (value.metaType().flags() & QMetaType::IsUnsignedEnumeration) == 0) {
        // Sign-extend a narrower signed enumeration.
        const int shift = int(8 * (sizeof result - size));
        result = int32_t(uint32_t(result) << shift) >> shift;
    }
    return result;
}

QVariant IntegerValue(const QMetaProperty& property, int32_t value) {
    if (IsEnumeration(property)) return EnumerationValue(property.metaType(), value);
    switch (property.metaType().id()) {
        case QMetaType::Bool:
            return QVariant(value != 0);
        case QMetaType::UInt:
            return QVariant(uint32_t(value));  // colours keep their bit pattern
        default:
            return QVariant(value);
    }
}

int32_t IntegerOf(const QMetaProperty& property, const QVariant& value) {
    if (IsEnumeration(property)) return EnumerationInteger(value);
    switch (property.metaType().id()) {
        case QMetaType::Bool:
            return value.toBool() ? 1 : 0;
        case QMetaType::UInt:
            return int32_t(value.toUInt());
        default:
            return value.toInt();
    }
}

// The component of the form with that name: an exact match first, then one that differs only in
// letter case.
QObject* FindComponent(QWidget& form, const QString& name) {
    if (name.isEmpty()) return nullptr;
    if (QObject* exact = form.findChild<QObject*>(name)) return exact;
    for (QObject* child : form.findChildren<QObject*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
    return nullptr;
}

std::optional<QMetaProperty> FindProperty(const QObject& component, const QString& name) {
    const QMetaObject* meta = component.metaObject();
    const int exact = meta->indexOfProperty(name.toUtf8().constData());
    if (exact >= 0) return meta->property(exact);
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (name.compare(QLatin1String(meta->property(i).name()), Qt::CaseInsensitive) == 0)
            return meta->property(i);
    return std::nullopt;
}

// A key of the section that names a component of the form and its property.
struct TStoredProperty {
    std::string Key;
    QObject* Component;
    QMetaProperty Property;
};

// Resolves one key: nothing for a key without "." or whose component is not on the form; throws
// EPropertyError when the component lacks the property.
std::optional<TStoredProperty> Resolve(QWidget& form, const std::string& key) {
    const size_t dot = key.find('.');
    if (dot == std::string::npos) return std::nullopt;
    QObject* component = FindComponent(form, QString::fromStdString(key.substr(0, dot)));
    if (!component) return std::nullopt;
    const std::string name = key.substr(dot + 1);
    std::optional<QMetaProperty> property = FindProperty(*component, QString::fromStdString(name));
    if (!property) throw EPropertyError(name);
    return TStoredProperty{key, component, *property};
}

std::string SectionOf(const QWidget& form) {
    return form.objectName().toStdString();
}

}  // namespace

void LoadForm(const TNyMemIniFile& ini, QWidget& form, bool placement) {
    const std::string section = SectionOf(form);
    if (!ini.SectionExists(section)) return;
    if (placement) {
        const int32_t width = ini.ReadInteger(section, "Width", 0);
        const int32_t height = ini.ReadInteger(section, "Height", 0);
        const int32_t left = ini.ReadInteger(section, "Left", 0);
        const int32_t top = ini.ReadInteger(section, "Top", 0);
        if (width > 0) form.resize(width, form.height());
        if (height > 0) form.resize(form.width(), height);
        if (left > 0) form.move(left, form.y());
        if (top > 0) form.move(form.x(), top);
        switch (ini.ReadInteger(section, "WindowState", -1)) {
            case 0:
                form.setWindowState(Qt::WindowNoState);
                break;
            case 1:
                form.setWindowState(Qt::WindowMinimized);
                break;
            case 2:
                form.setWindowState(Qt::WindowMaximized);
                break;
            default:
                break;
        }
    }
    for (const std::string& key : ini.ReadSection(section)) {
        const std::optional<TStoredProperty> stored = Resolve(form, key);
        if (!stored) continue;
        const QMetaProperty& property = stored->Property;
        switch (KindOf(property)) {
            case TValueKind::Integer:
                property.write(stored->Component,
                               IntegerValue(property, ini.ReadInteger(section, key, 0)));
                break;
            case TValueKind::Float:
                property.write(stored->Component, QVariant(ini.ReadFloat(section, key, 0)));
                break;
            case TValueKind::String:
                property.write(stored->Component,
                               QVariant(QString::fromStdString(ini.ReadString(section, key, ""))));
                break;
            case TValueKind::Other:
                break;
        }
    }
}

void SaveForm(TNyMemIniFile& ini, QWidget& form, bool placement) {
    const std::string section = SectionOf(form);
    if (placement) {
        ini.WriteInteger(section, "Width", form.width());
        ini.WriteInteger(section, "Height", form.height());
        ini.WriteInteger(section, "Left", form.x());
        ini.WriteInteger(section, "Top", form.y());
        const Qt::WindowStates state = form.windowState();
        ini.WriteInteger(section, "WindowState",
                         state & Qt::WindowMinimized   ? 1
                         : state & Qt::WindowMaximized ? 2
                                                       : 0);
    }
    for (const std::string& key : ini.ReadSection(section)) {
        const std::optional<TStoredProperty> stored = Resolve(form, key);
        if (!stored) continue;
        const QMetaProperty& property = stored->Property;
        const QVariant value = property.read(stored->Component);
        switch (KindOf(property)) {
            case TValueKind::Integer:
                ini.WriteInteger(section, key, IntegerOf(property, value));
                break;
            case TValueKind::Float:
                ini.WriteFloat(section, key, value.toDouble());
                break;
            case TValueKind::String:
                ini.WriteString(section, key, value.toString().toStdString());
                break;
            case TValueKind::Other:
                break;
        }
    }
}

bool ConfirmBox(const QString& text) {
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void ShellOpen(const QString& file) {
    // An absolute path becomes a file address; an address keeps its scheme.
    QDesktopServices::openUrl(QUrl::fromUserInput(file.trimmed()));
}

}  // namespace corvane
