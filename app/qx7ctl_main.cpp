#include "Qx7Ctl.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qx7ctl"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return Qx7Ctl::run(arguments);
}
