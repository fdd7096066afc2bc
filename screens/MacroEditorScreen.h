#ifndef QX7_MACROEDITORSCREEN_H
#define QX7_MACROEDITORSCREEN_H

#include <QObject>
#include <QStringList>

class Screens;

// The macro library as the editor shows it, and the one path by which a macro reaches the mouse.
class MacroEditorScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList macroNames READ macroNames NOTIFY macroNamesChanged)
    Q_PROPERTY(QStringList macroEditorLang READ macroEditorLang NOTIFY languageChanged)

public:
    static constexpr int MaxMacros = 100;

    explicit MacroEditorScreen(Screens& screens);

    QStringList macroNames() const { return m_names; }
    QStringList macroEditorLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // Reads the macro names.
    Q_INVOKABLE void init();
    // Encodes the stored macro `macroName` and sends it to macro slot `slot` (from 0); false when
    // the macro could not be sent.
    Q_INVOKABLE bool sendMacro(int slot, const QString& macroName);

    // While recording or inserting a key, captured keys belong to the editor.
    bool capturesKeys() const { return false; }
    void detectKeyboard(bool isDown, int usbCode);

signals:
    void macroNamesChanged();
    void languageChanged();

protected:
    QStringList m_names;

private:
    Screens& m_screens;
    QStringList m_lang;
};

#endif // QX7_MACROEDITORSCREEN_H
