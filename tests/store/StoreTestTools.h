#ifndef QX7_STORETESTTOOLS_H
#define QX7_STORETESTTOOLS_H

#include "FileChooser.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
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

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

// Every file and folder below `root` with its contents, to show that nothing else changed.
inline QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree.insert(path, fileBytes(path));
    }
    return tree;
}

// 4 KiB that are neither text nor a settings file.
inline QByteArray binaryBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.append(char((i * 7919 + 13) % 256));
    }
    return bytes;
}

#endif // QX7_STORETESTTOOLS_H
