#ifndef QX7_SCRIPTEDCHOOSER_H
#define QX7_SCRIPTEDCHOOSER_H

#include "FileChooser.h"

#include <QStringList>

// Answers the store's file dialogs from a script and remembers what was asked.
class ScriptedChooser : public FileChooser
{
public:
    struct Question
    {
        QString caption;
        QString startDir;
        QString filter;
        bool save = false;
    };

    // The next answer; an empty text answers as a cancelled dialog.
    void answer(const QString& path) { m_answers.append(path); }

    QString
    chooseSaveFile(const QString& caption, const QString& startDir, const QString& filter, const QString&) override
    {
        m_questions.append({caption, startDir, filter, true});
        return next();
    }

    QString chooseOpenFile(const QString& caption, const QString& startDir, const QString& filter) override
    {
        m_questions.append({caption, startDir, filter, false});
        return next();
    }

    QList<Question> questions() const { return m_questions; }

private:
    QString next() { return m_answers.isEmpty() ? QString() : m_answers.takeFirst(); }

    QStringList m_answers;
    QList<Question> m_questions;
};

#endif // QX7_SCRIPTEDCHOOSER_H
