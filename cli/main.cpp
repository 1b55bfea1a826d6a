#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

#include "cli/Cli.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // Unbuffered, so a failed write (a full disk, a closed pipe) shows in the write itself.
    QFile standardOutput;
    standardOutput.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return cli::runCli(QCoreApplication::arguments().mid(1), out, err);
}
