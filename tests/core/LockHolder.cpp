// SPDX-License-Identifier: Apache-2.0
// Another process for the single-instance tests: takes the lock at argv[1], says "held" on
// standard output, and keeps the lock until its standard input closes.
#include "core/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 64;
    velt::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (instance.tryAcquire() != velt::SingleInstance::Outcome::Acquired)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
