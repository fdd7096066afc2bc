#ifndef QX7_KEYMATRIXSCREEN_H
#define QX7_KEYMATRIXSCREEN_H

#include "ButtonFunction.h"

#include <QList>
#include <QObject>
#include <QStringList>

class Screens;

// The button rows of the left panel: the working matrix of 16 button records with their texts,
// the profile's defaults for restoring, and the dirty flag that Save reads.
class KeyMatrixScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isSave READ isSave WRITE setSave NOTIFY isSaveChanged)
    Q_PROPERTY(QStringList keyTexts READ keyTexts NOTIFY matrixChanged)
    Q_PROPERTY(QStringList rowTitles READ rowTitles NOTIFY languageChanged)
    Q_PROPERTY(QStringList keyMatrixLang READ keyMatrixLang NOTIFY languageChanged)

public:
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

    // Loads the working matrix (from the defaults when restoring) and the defaults; sends when asked.
    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    // Stores the matrix in the profile and sends it.
    Q_INVOKABLE void saveData();
    // The 64 numbers of the matrix, entry by entry.
    QVariantList matrixNumbers() const;

    // Entries whose record plays the macro stored under `name` for its slot.
    QList<int> macroEntries(const QString& name) const;
    // The entry takes its default record again.
    void restoreEntry(int entry);
    // The texts again, after the macro names behind them changed.
    void refreshTexts();

signals:
    void isSaveChanged();
    void matrixChanged();
    void languageChanged();

private:
    QString textOf(const ButtonFunction& record) const;

    Screens& m_screens;
    QList<ButtonFunction> m_records;
    QList<ButtonFunction> m_defaults;
    QStringList m_texts;
    QStringList m_lang;
    bool m_isSave = false;
};

#endif // QX7_KEYMATRIXSCREEN_H
