#include "ButtonFunction.h"

#include "FactoryKeyMatrix.h"
#include "SettingsKeys.h"

#include <QStringList>

namespace {

constexpr quint8 DoubleFireCode = 0x1E;
constexpr quint8 DoubleFireCount = 0x02;
constexpr quint8 SniperFunction = 0x04;
constexpr quint8 FirstModifier = 0xE0;

bool isDoubleFire(quint8 param2, quint8 param3)
{
    return param2 == DoubleFireCode && param3 == DoubleFireCount;
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    return -1;
}

// The firmware owns these entries whatever the screens hold; -1 keeps the converted byte.
struct FixedEntry
{
    int record;
    std::array<int, ButtonFunction::RecordSize> bytes;
};

constexpr FixedEntry FixedEntries[] = {
    {7, {0x07, 0x00, 0x03, 0x00}},
    {8, {ButtonFunction::DeviceFixedEntry8, -1, -1, -1}},
    {9, {0x08, 0x00, 0x01, 0x01}},
    {10, {0x00, 0x00, 0x00, 0x00}},
    {11, {0x08, 0x00, 0x02, 0x00}},
    {12, {0x00, -1, -1, -1}},
    {13, {0x00, -1, -1, -1}},
};

} // namespace

ButtonFunction::ButtonFunction(quint8 type, quint8 param1, quint8 param2, quint8 param3)
    : m_bytes {type, param1, param2, param3}
{
}

ButtonFunction::ButtonFunction(const Bytes& bytes)
    : m_bytes(bytes)
{
}

ButtonFunction ButtonFunction::fromList(const QVariantList& values, int offset)
{
    Bytes b {};
    for (int i = 0; i < RecordSize; ++i) {
        const int at = offset + i;
        if (at >= 0 && at < values.size()) {
            b[i] = static_cast<quint8>(values.at(at).toInt() & 0xFF);
        }
    }
    return ButtonFunction(b);
}

QVariantList ButtonFunction::toList() const
{
    QVariantList list;
    for (quint8 b : m_bytes) {
        list.append(int(b));
    }
    return list;
}

std::optional<ButtonFunction> ButtonFunction::fromKeyCode(const QString& text, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<ButtonFunction> {
        if (error) {
            *error = reason;
        }
        return std::nullopt;
    };
    if (text.size() != TextSize) {
        return fail(QStringLiteral("a button record needs %1 hexadecimal digits, \"%2\" has %3 characters")
                        .arg(TextSize)
                        .arg(text)
                        .arg(text.size()));
    }
    Bytes b {};
    for (int i = 0; i < TextSize; ++i) {
        const int digit = hexDigit(text.at(i));
        if (digit < 0) {
            return fail(QStringLiteral("\"%1\" is not a button record: character %2 is not a hexadecimal digit")
                            .arg(text)
                            .arg(i + 1));
        }
        b[i / 2] = static_cast<quint8>(b[i / 2] << 4 | digit);
    }
    if (error) {
        error->clear();
    }
    return ButtonFunction(b);
}

QString ButtonFunction::keyCode() const
{
    QString text;
    for (quint8 b : m_bytes) {
        text += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    return text;
}

ButtonFunction ButtonFunction::toDevice(Controller controller) const
{
    const quint8 p1 = param1();
    const quint8 p2 = param2();
    const quint8 p3 = param3();
    switch (type()) {
        case MouseButton:
            return {isDoubleFire(p2, p3) ? DeviceRepeat : DeviceMouseButton, p1, p2, p3};
        case Fire:
            return {DeviceRepeat, p1, p2, p3};
        case KeyCombination:
        case WindowsFunction:
        case Shortcut:
            return {DeviceKeyCombination, p1, p2, p3};
        case Media:
            return {DeviceMedia, p1, p2, p3};
        case Macro:
            // The device counts macro slots from 1.
            return {DeviceMacro, p1, static_cast<quint8>(p2 + 1), p3};
        case Dpi:
            if (p2 == SniperFunction) {
                return controller == Controller::Set560 ? ButtonFunction(DeviceSniper560, 0x00, 0x01, 0x01)
                                                        : ButtonFunction(DeviceDpi, 0x00, SniperFunction, 0x01);
            }
            return {DeviceDpi, p1, p2, p3};
        case Gun:
            return {DeviceGun, p1, p2, p3};
        case Reserved:
            return {DeviceReserved, p1, p2, p3};
        default:
            return *this;
    }
}

bool ButtonFunction::isLeftButton() const
{
    return type() == MouseButton && param2() == LeftButtonCode;
}

bool ButtonFunction::holdsLeftButton(const DeviceMatrix& matrix)
{
    for (int n = 0; n < MatrixEntries; ++n) {
        if (matrix[n * RecordSize] == DeviceMouseButton && matrix[n * RecordSize + 2] == LeftButtonCode) {
            return true;
        }
    }
    return false;
}

ButtonFunction::DeviceMatrix ButtonFunction::deviceMatrix(const QVariantList& src64, Controller controller)
{
    DeviceMatrix matrix {};
    for (int n = 0; n < MatrixEntries; ++n) {
        const Bytes device = fromList(src64, n * RecordSize).toDevice(controller).bytes();
        std::copy(device.begin(), device.end(), matrix.begin() + n * RecordSize);
    }
    for (const FixedEntry& fixed : FixedEntries) {
        for (int i = 0; i < RecordSize; ++i) {
            if (fixed.bytes[i] >= 0) {
                matrix[fixed.record * RecordSize + i] = static_cast<quint8>(fixed.bytes[i]);
            }
        }
    }
    return matrix;
}

QString ButtonFunction::macroNameKey(int slot)
{
    return SettingsKeys::macroKey(slot);
}

QString ButtonFunction::keyCodeToString(const MacroNameLookup& macroName, const KeyLabelTable& keys) const
{
    const auto choiceLabel = [this](bool compareParam3) {
        for (const FixedChoice& choice : fixedChoices()) {
            if (choice.bytes[0] == type() && choice.bytes[2] == param2()
                && (!compareParam3 || choice.bytes[3] == param3())) {
                return choice.label;
            }
        }
        return QString();
    };

    switch (type()) {
        case MouseButton:
            // Only what the device treats as double fire is labelled so; other codes do nothing.
            if (isDoubleFire(param2(), param3())) {
                return QStringLiteral("Double Fire");
            }
            return param2() == DoubleFireCode ? QString() : choiceLabel(false);
        case Fire:
            return keys.label(param1());
        case KeyCombination: {
            QStringList names;
            for (int bit = 0; bit < 8; ++bit) {
                if (param1() & (1 << bit)) {
                    names << keys.label(FirstModifier + bit);
                }
            }
            if (param2() != 0) {
                names << keys.label(param2());
            }
            if (param3() != 0) {
                names << keys.label(param3());
            }
            names.removeAll(QString());
            return names.join(QLatin1Char('+'));
        }
        case Media:
        case WindowsFunction:
        case Shortcut:
            return choiceLabel(true);
        case Macro:
            return macroName ? macroName(macroNameKey(param2())) : QString();
        case Dpi:
        case Gun:
            return choiceLabel(false);
        default:
            return {};
    }
}

const QList<ButtonFunction::FixedChoice>& ButtonFunction::fixedChoices()
{
    static const QList<FixedChoice> choices = {
        {QStringLiteral("Left Key"), {0x00, 0x00, 0xF0, 0x00}},
        {QStringLiteral("Middle Key"), {0x00, 0x00, 0xF2, 0x00}},
        {QStringLiteral("Right Key"), {0x00, 0x00, 0xF1, 0x00}},
        {QStringLiteral("Forward Key"), {0x00, 0x00, 0xF4, 0x00}},
        {QStringLiteral("Back Key"), {0x00, 0x00, 0xF3, 0x00}},
        {QStringLiteral("Double Fire"), {0x00, 0xF0, 0x1E, 0x02}},
        {QStringLiteral("Player"), {0x03, 0x00, 0x83, 0x01}},
        {QStringLiteral("Next"), {0x03, 0x00, 0xB5, 0x00}},
        {QStringLiteral("Privous"), {0x03, 0x00, 0xB6, 0x00}},
        {QStringLiteral("Stop"), {0x03, 0x00, 0xB7, 0x00}},
        {QStringLiteral("Mute"), {0x03, 0x00, 0xE2, 0x00}},
        {QStringLiteral("Play/Pause"), {0x03, 0x00, 0xCD, 0x00}},
        {QStringLiteral("Volumn+"), {0x03, 0x00, 0xE9, 0x00}},
        {QStringLiteral("Volumn-"), {0x03, 0x00, 0xEA, 0x00}},
        {QStringLiteral("DPI+"), {0x05, 0x00, 0x01, 0x00}},
        {QStringLiteral("DPI-"), {0x05, 0x00, 0x02, 0x00}},
        {QStringLiteral("DPI LOOP"), {0x05, 0x00, 0x03, 0x00}},
        {QStringLiteral("Sniper Key"), {0x05, 0x00, 0x04, 0x00}},
        {QStringLiteral("My PC"), {0x06, 0x00, 0x94, 0x01}},
        {QStringLiteral("Index"), {0x06, 0x00, 0x23, 0x02}},
        {QStringLiteral("Search"), {0x06, 0x00, 0x21, 0x02}},
        {QStringLiteral("Max"), {0x06, 0x04, 0x2C, 0x1B}},
        {QStringLiteral("Min"), {0x06, 0x04, 0x2C, 0x11}},
        {QStringLiteral("Desktop"), {0x06, 0x00, 0xE3, 0x07}},
        {QStringLiteral("Run"), {0x06, 0x00, 0xE3, 0x15}},
        {QStringLiteral("New"), {0x07, 0x00, 0xE0, 0x11}},
        {QStringLiteral("Cut"), {0x07, 0x00, 0xE0, 0x1B}},
        {QStringLiteral("Copy"), {0x07, 0x00, 0xE0, 0x06}},
        {QStringLiteral("Paste"), {0x07, 0x00, 0xE0, 0x19}},
        {QStringLiteral("Save"), {0x07, 0x00, 0xE0, 0x16}},
        {QStringLiteral("Print"), {0x07, 0x00, 0xE0, 0x13}},
        {QStringLiteral("Find"), {0x07, 0x00, 0xE0, 0x09}},
        {QStringLiteral("Redo"), {0x07, 0x00, 0xE0, 0x1C}},
        {QStringLiteral("Undo"), {0x07, 0x00, 0xE0, 0x1D}},
        {QStringLiteral("Select All"), {0x07, 0x00, 0xE0, 0x04}},
        {QStringLiteral("One Gun"), {0x08, 0x00, 0x01, 0x00}},
        {QStringLiteral("Two Gun"), {0x08, 0x00, 0x02, 0x00}},
        {QStringLiteral("Three Gun"), {0x08, 0x00, 0x03, 0x00}},
    };
    return choices;
}

QList<ButtonFunction> ButtonFunction::builtInMatrix()
{
    static_assert(FactoryKeyMatrix::EntryCount == MatrixEntries, "one record per matrix entry");
    QList<ButtonFunction> matrix;
    for (int n = 0; n < MatrixEntries; ++n) {
        matrix.append(fromList(FactoryKeyMatrix::record(n)));
    }
    return matrix;
}
