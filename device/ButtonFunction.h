#ifndef QX7_BUTTONFUNCTION_H
#define QX7_BUTTONFUNCTION_H

#include "ControllerFamily.h"
#include "KeyLabelTable.h"
#include "WireSizes.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <array>
#include <functional>
#include <optional>

// What one mouse button does: a type byte and three parameters. The screens and the profiles keep
// the screen form; the mouse receives the device form, whose type numbering differs.
class ButtonFunction
{
public:
    // Screen-form types.
    enum Type : quint8 {
        MouseButton = 0x00,
        Fire = 0x01,
        KeyCombination = 0x02,
        Media = 0x03,
        Macro = 0x04,
        Dpi = 0x05,
        WindowsFunction = 0x06,
        Shortcut = 0x07,
        Gun = 0x08,
        Reserved = 0xFF,
    };

    // Device-form types.
    enum DeviceType : quint8 {
        DeviceKeyCombination = 0x00,
        DeviceMouseButton = 0x01,
        DeviceMedia = 0x03,
        DeviceReserved = 0x04,
        DeviceDpi = 0x07,
        DeviceGun = 0x08,
        DeviceMacro = 0x09,
        DeviceRepeat = 0x0A,
        DeviceSniper560 = 0x0B,
        DeviceFixedEntry8 = 0x0C,
    };

    // Controller families differ only in how the sniper function is sent.
    using Controller = ControllerFamily;

    static constexpr quint8 LeftButtonCode = 0xF0;
    static constexpr int RecordSize = WireSizes::RecordSize;
    static constexpr int TextSize = 2 * RecordSize;
    static constexpr int MatrixEntries = WireSizes::MatrixEntries;
    static constexpr int MatrixSize = WireSizes::KeyMatrix;

    using Bytes = std::array<quint8, RecordSize>;
    using DeviceMatrix = std::array<quint8, MatrixSize>;
    static_assert(sizeof(Bytes) == RecordSize, "a record is four bytes on the wire");

    // Returns the text stored under the given profile key (see macroNameKey).
    using MacroNameLookup = std::function<QString(const QString& key)>;

    struct FixedChoice
    {
        QString label;
        Bytes bytes;
    };

    ButtonFunction() = default;
    ButtonFunction(quint8 type, quint8 param1, quint8 param2, quint8 param3);
    explicit ButtonFunction(const Bytes& bytes);

    quint8 type() const { return m_bytes[0]; }
    quint8 param1() const { return m_bytes[1]; }
    quint8 param2() const { return m_bytes[2]; }
    quint8 param3() const { return m_bytes[3]; }
    const Bytes& bytes() const { return m_bytes; }

    // Screen form as numbers: elements offset to offset + 3, each taken with toInt and cut to
    // 8 bits; missing elements count as 0.
    static ButtonFunction fromList(const QVariantList& values, int offset = 0);
    QVariantList toList() const;

    // Eight hexadecimal digits, bytes in wire order, e.g. "0300b500". Parsing accepts either case
    // and rejects anything else, with the reason in error.
    static std::optional<ButtonFunction> fromKeyCode(const QString& text, QString* error = nullptr);
    QString keyCode() const;

    ButtonFunction toDevice(Controller controller) const;
    // The left mouse button, in screen form.
    bool isLeftButton() const;
    // Whether a device-form matrix gives some button the left mouse button. One without it would
    // leave the user nothing to click with, on the mouse itself: it is never stored or sent.
    static bool holdsLeftButton(const DeviceMatrix& matrix);
    // Sixteen screen records (64 numbers, as fromList takes them) in device form, with the entries
    // that the firmware expects fixed.
    static DeviceMatrix deviceMatrix(const QVariantList& src64, Controller controller);

    // The text shown on a button. A macro record shows the name stored for its slot.
    QString keyCodeToString(const MacroNameLookup& macroName,
                            const KeyLabelTable& keys = KeyLabelTable::defaults()) const;
    // Profile key under which the macro name of a slot is stored.
    static QString macroNameKey(int slot);

    // The records that the assignment screens offer, with their default labels.
    static const QList<FixedChoice>& fixedChoices();
    // The 16 records a profile holds before anything is loaded.
    static QList<ButtonFunction> builtInMatrix();

    bool operator==(const ButtonFunction& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const ButtonFunction& other) const { return m_bytes != other.m_bytes; }

private:
    Bytes m_bytes {};
};

#endif // QX7_BUTTONFUNCTION_H
