// Saves one line into a file through the program's save, as whoever runs it: a case runs it as
// another user. Exits 0 when the save succeeded, 1 when it reported failure.
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char **argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    return TextFile::WriteLines(arguments[1], {arguments[2]}) ? 0 : 1;
}
