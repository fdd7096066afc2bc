#ifndef QX7_CTLARGS_H
#define QX7_CTLARGS_H

#include "CtlCommand.h"

#include <QStringList>

// Reads a command's arguments in turn. After the first bad one the rest are skipped and error()
// says what was wrong. Numbers of lists count from 1, as the scene shows its rows.
class CtlArgs
{
public:
    explicit CtlArgs(const QStringList& args);

    int number(const char* what, int min, int max);
    // An entry of `names` by its number (1 for the first) or by its name, any case; the index
    // from 0, or -1.
    int entry(const char* what, const QStringList& names);
    QString text();
    // Refuses what was read when `condition` does not hold.
    void require(bool condition, const QString& reason);

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    int remaining() const { return int(m_args.size()) - m_next; }

    static CtlCommand::Parsed failure(const QString& message) { return {{}, message}; }
    static CtlCommand::Parsed ready(CtlCommand::Body body, bool needsDevice = true)
    {
        return {std::move(body), {}, needsDevice};
    }
    // The parsed body, or the first error.
    CtlCommand::Parsed result(CtlCommand::Body body, bool needsDevice = true) const;

private:
    const QStringList& m_args;
    int m_next = 0;
    QString m_error;
};

#endif // QX7_CTLARGS_H
