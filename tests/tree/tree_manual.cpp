// Shows the function tree on a small document, for looking at it by hand:
//   xvfb-run -a -s "-screen 0 1280x1024x24" ./tree_manual
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/CVeltrix2View.h"

namespace {
void AddSample(CVeltrix2Doc &doc, const char *label, const char *text, Color color1, int mode)
{
    const DefinitionOutcome outcome = CompileNewFunction(text, QEL_RADIANS);
    if (!outcome.ok)
        return;
    FunctionRecord record;
    record.label = label;
    record.text = text;
    record.handle = outcome.handle;
    record.color1 = color1;
    record.mode = mode;
    doc.Add(record);
}
}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CVeltrix2Doc doc;
    AddSample(doc, "waves", "z(x,y)=cosx*siny", 0xFFFFFF, 0);
    AddSample(doc, "bowl", "z(x,y,a)=(x^2+y^2)/5+a", 0x00FF00, 2);
    AddSample(doc, "ball", "r(alpha,beta)=2", 0xFF8000, 3);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tree check"));
    auto *view = new CVeltrix2View(&doc);
    window.setCentralWidget(view);
    QMenu *functions = window.menuBar()->addMenu(QStringLiteral("F&unctions"));
    QObject::connect(functions, &QMenu::aboutToShow, view, [view, functions] { view->PopulateFunctionsMenu(functions); });
    window.statusBar();
    window.resize(420, 640);
    window.move(0, 0);
    window.show();
    if (argc > 1 && QString::fromLatin1(argv[1]) == QLatin1String("--expand"))
        view->Tree()->expandAll();
    return app.exec();
}
