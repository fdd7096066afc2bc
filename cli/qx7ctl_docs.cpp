// Writes what qx7ctl tells about itself: `man` prints the manual page, `readme FILE` puts the
// command list and examples into FILE between their marker lines.
#include "CtlDocs.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.value(0) == QLatin1String("man") && args.size() == 1) {
        std::fputs(CtlDocs::manualPage().toUtf8().constData(), stdout);
        return 0;
    }
    if (args.value(0) != QLatin1String("readme") || args.size() != 2) {
        std::fputs("usage: qx7ctl-docs man | readme FILE\n", stderr);
        return 1;
    }
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qx7ctl-docs: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString text = QString::fromUtf8(in.readAll());
    const int begin = int(text.indexOf(QLatin1String(CtlDocs::ReadmeBegin)));
    const int end = int(text.indexOf(QLatin1String(CtlDocs::ReadmeEnd)));
    if (begin < 0 || end < begin) {
        std::fprintf(stderr, "qx7ctl-docs: %s has no qx7ctl marker lines\n", qPrintable(args.at(1)));
        return 1;
    }
    const int after = int(text.indexOf(QLatin1Char('\n'), end)) + 1;
    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly)
        || out.write((text.left(begin) + CtlDocs::readmeBlock() + text.mid(after)).toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "qx7ctl-docs: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
