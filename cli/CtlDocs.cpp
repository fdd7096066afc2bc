#include "CtlDocs.h"

#include "CtlCommand.h"
#include "Qx7Ctl.h"

#include <QRegularExpression>

namespace CtlDocs {

const char* const ReadmeBegin = "<!-- qx7ctl commands: made from the command table by `build/qx7ctl-docs readme "
                                "README.md`; edit cli/ instead -->";
const char* const ReadmeEnd = "<!-- end of qx7ctl commands -->";

namespace {

const QString Description
    = QStringLiteral("Configures the mouse from a terminal. Each command acts on the current profile as the "
                     "configurator's screens do: it stores what they store, then sends what they send. Options may "
                     "stand anywhere on the line; after -- every word is an argument. Commands that print settings or "
                     "edit the profile list work without a mouse; the others need one.");

const QString Numbers = QStringLiteral(
    "Numbers count as the configurator shows them: buttons from Key 1, DPI stages from 1, gun slots "
    "from 1. Profiles, gun presets and lighting modes are given by their number in their list, from "
    "1, or by their name. Earlier versions of qx7ctl counted buttons, macro slots, profiles, gun presets "
    "and lighting modes from 0: scripts written for them need those numbers raised by one.");

const QString Files
    = QStringLiteral("The settings are the configurator's. They are in modules/ beside the program when that folder "
                     "may be written, otherwise in the user's data folder $XDG_DATA_HOME/qx7-config/modules/ (by "
                     "default ~/.local/share/qx7-config/modules/), which the first start fills from the files "
                     "installed with the program in share/qx7-config/modules/ of its prefix. Each start brings the "
                     "program's own files (device records, language texts, factory defaults) up to date and puts back "
                     "a missing profile, name list or preset file; the user's own files are never replaced.");

struct Status
{
    int code;
    const char* text;
};

constexpr Status Statuses[] = {
    {Qx7Ctl::Success, "success"},
    {Qx7Ctl::BadUsage, "bad usage or argument: nothing was stored or sent"},
    {Qx7Ctl::NoDevice, "no verified device: the message says what to check"},
    {Qx7Ctl::ExchangeFailed, "an exchange with the mouse failed"},
    {Qx7Ctl::FileFailed,
     "a settings file could not be read or written: the message names it, and what was sent to the "
     "mouse stays sent"},
};

// `text` broken into lines of at most `width` characters.
QStringList wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) {
        lines << line;
    }
    return lines;
}

// "  left   text", the text's further lines below it; a long left part gets a line of its own.
QString column(const QString& left, const QString& text, int width)
{
    QString out = QStringLiteral("  ") + left;
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (text.isEmpty()) {
        return out + QLatin1Char('\n');
    }
    if (out.size() >= width - 1) {
        out += QLatin1Char('\n') + QString(width, QLatin1Char(' '));
    } else {
        out = out.leftJustified(width);
    }
    out += lines.join(QLatin1Char('\n') + QString(width, QLatin1Char(' ')));
    return out + QLatin1Char('\n');
}

QString optionName(const Qx7Ctl::Option& option)
{
    QString name = QStringLiteral("--") + QLatin1String(option.name);
    if (option.value) {
        name += QLatin1Char(' ') + QLatin1String(option.value);
    }
    return name;
}

QString usage(const CtlCommand& command)
{
    return (command.name + QLatin1Char(' ') + command.arguments).trimmed();
}

QString oneLine(const QString& text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString capitalised(const QString& text)
{
    return text.left(1).toUpper() + text.mid(1);
}

// Text for roff: backslashes and hyphens escaped, no line starting with a control character.
QString roff(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\e")).replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\''))) {
        out.prepend(QStringLiteral("\\&"));
    }
    return out;
}

// "qx7ctl key 4 Next  # what it does" split into the command line and the comment.
QPair<QString, QString> splitExample(const QString& example)
{
    const int hash = int(example.indexOf(QStringLiteral("  # ")));
    if (hash < 0) {
        return {example, QString()};
    }
    return {example.left(hash), example.mid(hash + 4)};
}

QString exampleLines(const QString& indent)
{
    const QStringList all = examples();
    int width = 0;
    for (const QString& example : all) {
        const auto [line, comment] = splitExample(example);
        width = comment.isEmpty() ? width : qMax(width, int(line.size()));
    }
    QString out;
    for (const QString& example : all) {
        const auto [line, comment] = splitExample(example);
        out += indent + QStringLiteral("qx7ctl ")
               + (comment.isEmpty() ? line : line.leftJustified(width + 2) + QStringLiteral("# ") + comment)
               + QLatin1Char('\n');
    }
    return out;
}

} // namespace

QStringList examples()
{
    QStringList all;
    for (const CtlCommand& command : CtlCommand::all()) {
        all += command.examples;
    }
    all << QStringLiteral(
        "--virtual-mouse --fast --trace dpi-stage 3  # against the virtual mouse, with the wire trace");
    return all;
}

QString helpText()
{
    constexpr int OptionColumn = 24;
    constexpr int CommandColumn = 38;
    QString options;
    for (const Qx7Ctl::Option& option : Qx7Ctl::options()) {
        options += column(optionName(option), QLatin1String(option.description), OptionColumn);
    }
    QString commands;
    for (const CtlCommand& command : CtlCommand::all()) {
        commands += column(usage(command), command.summary, CommandColumn);
    }
    QString statuses;
    for (const Status& status : Statuses) {
        statuses
            += column(QString::number(status.code), wrapped(QLatin1String(status.text), 90).join(QLatin1Char('\n')), 6);
    }
    return QStringLiteral("Usage: qx7ctl [OPTIONS] COMMAND [ARGUMENTS]\n\n")
           + wrapped(Description, 96).join(QLatin1Char('\n')) + QStringLiteral("\n\nOptions:\n") + options
           + QStringLiteral("\nCommands:\n") + commands + QLatin1Char('\n')
           + wrapped(Numbers, 96).join(QLatin1Char('\n')) + QStringLiteral("\n\nFiles:\n")
           + wrapped(Files, 96).join(QLatin1Char('\n')) + QStringLiteral("\n\nExit status:\n") + statuses;
}

QString manualPage()
{
    QString page = QStringLiteral(".TH QX7CTL 1 \"2026\" \"QX7 Config %1\" \"User Commands\"\n")
                       .arg(QStringLiteral(QX7_VERSION));
    page += QStringLiteral(".SH NAME\nqx7ctl \\- configure the QX7 gaming mouse from a terminal\n");
    page += QStringLiteral(".SH SYNOPSIS\n.B qx7ctl\n.RI [ OPTIONS ]\n.I COMMAND\n.RI [ ARGUMENTS ]\n");
    page += QStringLiteral(".SH DESCRIPTION\n") + roff(Description) + QLatin1Char('\n');
    page += QStringLiteral(".SH OPTIONS\n");
    for (const Qx7Ctl::Option& option : Qx7Ctl::options()) {
        page += QStringLiteral(".TP\n.B ") + roff(optionName(option)) + QLatin1Char('\n')
                + roff(capitalised(QLatin1String(option.description))) + QStringLiteral(".\n");
    }
    page += QStringLiteral(".SH COMMANDS\n");
    for (const CtlCommand& command : CtlCommand::all()) {
        page += QStringLiteral(".TP\n.B ") + roff(usage(command)) + QLatin1Char('\n')
                + roff(capitalised(oneLine(command.summary))) + QStringLiteral(".\n");
    }
    page += QStringLiteral(".SH NUMBERS\n") + roff(Numbers) + QLatin1Char('\n');
    page += QStringLiteral(".SH EXIT STATUS\n");
    for (const Status& status : Statuses) {
        page += QStringLiteral(".TP\n.B %1\n").arg(status.code) + roff(capitalised(QLatin1String(status.text)))
                + QStringLiteral(".\n");
    }
    page += QStringLiteral(".SH FILES\n") + roff(Files) + QLatin1Char('\n');
    page += QStringLiteral(".SH EXAMPLES\n.nf\n") + roff(exampleLines(QString())) + QStringLiteral(".fi\n");
    page += QStringLiteral(".SH SEE ALSO\n.BR qx7-config (1)\n");
    return page;
}

QString readmeBlock()
{
    QString out = QLatin1String(ReadmeBegin) + QLatin1Char('\n');
    out += QStringLiteral("\n");
    for (const CtlCommand& command : CtlCommand::all()) {
        out += QStringLiteral("    qx7ctl ") + usage(command) + QLatin1Char('\n');
        for (const QString& line : command.summary.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            out += QStringLiteral("        ") + line + QLatin1Char('\n');
        }
    }
    out += QStringLiteral("\n") + wrapped(Numbers, 100).join(QLatin1Char('\n'));
    out += QStringLiteral("\n\nExamples, which a test runs in this order against the virtual mouse:\n\n");
    out += exampleLines(QStringLiteral("    "));
    out += QLatin1Char('\n') + QLatin1String(ReadmeEnd) + QLatin1Char('\n');
    return out;
}

} // namespace CtlDocs
