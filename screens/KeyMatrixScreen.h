#ifndef QX7_KEYMATRIXSCREEN_H
#define QX7_KEYMATRIXSCREEN_H

#include "ButtonFunction.h"

#include <QList>
#include <QObject>
#include <QStringList>

class Screens;

// The button rows of the left panel: the working matrix of 16 button records with their texts,
// the profile's defaults for restoring, the button selected for the assignment dialog, and the
// dirty flag that Save reads.
class KeyMatrixScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isSave READ isSave WRITE setSave NOTIFY isSaveChanged)
    Q_PROPERTY(QStringList keyTexts READ keyTexts NOTIFY matrixChanged)
    Q_PROPERTY(QStringList rowTitles READ rowTitles NOTIFY languageChanged)
    Q_PROPERTY(QStringList keyMatrixLang READ keyMatrixLang NOTIFY languageChanged)
    Q_PROPERTY(int selectKey READ selectKey NOTIFY selectKeyChanged)

public:
    // Indices into keyMatrixLang.
    enum Text { KeyText, KeyFunctionText };
    Q_ENUM(Text)

    static constexpr int Entries = ButtonFunction::MatrixEntries;
    static constexpr int Rows = 8;

    explicit KeyMatrixScreen(Screens& screens);

    bool isSave() const { return m_isSave; }
    void setSave(bool dirty);
    QStringList keyTexts() const;
    QStringList rowTitles() const;
    QStringList keyMatrixLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    ButtonFunction record(int entry) const;
    ButtonFunction defaultRecord(int entry) const;
    QString text(int entry) const;
    QString defaultText(int entry) const;
    // The text a record shows in the current language; a macro record shows the name bound to its
    // slot in the current profile (or in the default profile).
    QString textFor(const ButtonFunction& record, bool isRecovery = false) const;

    // The button whose assignment dialog is open; -1 when none.
    int selectKey() const { return m_selectKey; }
    // The only left button of the matrix keeps its function: its dialog does not open.
    Q_INVOKABLE bool isLastLeftButton(int entry) const;
    // Selects a button for the dialog; false, with nothing selected, when the rule above forbids it.
    bool select(int entry);
    Q_INVOKABLE void clearSelection();

    // The dialog's result for an entry: a record that differs in any byte replaces the entry and
    // makes the matrix dirty. A macro record sends its macro and binds the name to its slot.
    void commit(int entry, const ButtonFunction& record, const QString& text);
    // One entry back to the profile's default, and all of them.
    void restoreEntry(int entry);
    Q_INVOKABLE void restoreAll();

    // Loads the working matrix (from the defaults when restoring) and the defaults; sends when asked.
    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    // Stores the matrix in the profile and sends it.
    Q_INVOKABLE void saveData();
    // The 64 numbers of the matrix, entry by entry.
    QVariantList matrixNumbers() const;

    // Entries whose record plays the macro stored under `name` for its slot.
    QList<int> macroEntries(const QString& name) const;
    // The texts again, after the macro names behind them changed.
    void refreshTexts();

signals:
    void isSaveChanged();
    void matrixChanged();
    void languageChanged();
    void selectKeyChanged();

private:
    bool isEntry(int entry) const { return entry >= 0 && entry < Entries; }
    // Sends the macro of a macro record and stores its name for the record's slot.
    void bindMacro(const ButtonFunction& record, const QString& name);

    Screens& m_screens;
    QList<ButtonFunction> m_records;
    QList<ButtonFunction> m_defaults;
    QStringList m_texts;
    QStringList m_defaultTexts;
    QStringList m_lang;
    int m_selectKey = -1;
    bool m_isSave = false;
};

#endif // QX7_KEYMATRIXSCREEN_H
