#ifndef QX7_SCRIPTEDCHOOSER_H
#define QX7_SCRIPTEDCHOOSER_H

#include "FileChooser.h"

#include <QStringList>

// Answers the store's file dialogs from a script and counts the questions.
class ScriptedChooser : public FileChooser
{
public:
    // The next answer; an empty text answers as a cancelled dialog.
    void answer(const QString& path) { m_answers.append(path); }
    int questions() const { return m_questions; }

    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return next(); }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return next(); }

private:
    QString next()
    {
        ++m_questions;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    QStringList m_answers;
    int m_questions = 0;
};

#endif // QX7_SCRIPTEDCHOOSER_H
