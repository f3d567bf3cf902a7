// Writes the benchmark's document: z = cos(x) sin(y) over [-5, 5]^2 with the
// given steps and mode.  make_bench_document OUT.vxf STEPS MODE
#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_bench_document OUT.vxf STEPS MODE(0-3)\n");
        return 2;
    }
    const int steps = std::atoi(argv[2]);
    const int mode = std::atoi(argv[3]);
    const std::string text = "z(x,y)=cosx*siny";
    const DefinitionOutcome compiled = CompileNewFunction(text, QEL_RADIANS);
    if (!compiled.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(compiled.message));
        return 1;
    }
    for (const char *name : {"x", "y"})
        modify_function_variable(compiled.handle, VariableRecord{name, 0, -5, 5, steps});
    CVeltrix2Doc doc;
    FunctionRecord record;
    record.label = "cos(x)*sin(y)";
    record.text = text;
    record.handle = compiled.handle;
    record.mode = mode;
    record.color1 = 0xFF0000;   // blue to yellow
    record.color2 = 0x00FFFF;
    doc.Add(record);
    QString error;
    if (!doc.Save(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
