// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the comparison's document: make_bench_document OUT.vxf STEPS MODE [animated]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QCoreApplication>

#include "BenchDocument.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "animated") == 0)) {
        std::fprintf(stderr, "usage: make_bench_document OUT.vxf STEPS MODE(0-3) [animated]\n");
        return 2;
    }
    const auto doc = BenchDocument(std::atoi(argv[2]), std::atoi(argv[3]), argc == 5);
    QString error;
    if (!doc->Save(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "the document could not be written: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
