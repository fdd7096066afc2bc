#include "Qx7Ctl.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The per-user data folder is named after the application: qx7ctl uses the configurator's.
    QCoreApplication::setApplicationName(QStringLiteral("qx7-config"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return Qx7Ctl::run(arguments);
}
