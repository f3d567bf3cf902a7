// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Manual check of the 3D view: opens a GLView on a document holding
// z(x,y)=cosx*siny.  With --shot FILE it saves the frame after a second and
// quits; otherwise it runs until closed (drive it with xdotool).  With
// --camera it prints the camera whenever it changes.
#include <cstdio>

#include <QApplication>
#include <QImage>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "view3d/GLView.h"

int main(int argc, char **argv)
{
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();

    CVeltrix2Doc doc;
    const std::string text = "z(x,y)=cosx*siny";
    const DefinitionOutcome compiled = CompileNewFunction(text, 1);
    if (!compiled.ok) {
        std::fprintf(stderr, "compile failed: %s\n", qPrintable(compiled.message));
        return 1;
    }
    FunctionRecord record;
    record.label = "demo";
    record.text = text;
    record.handle = compiled.handle;
    record.mode = args.contains("--filled") ? FilledPolygons : WireFrame;
    record.color1 = 0x00FF00;
    record.color2 = 0x000000;
    doc.Add(record);

    QSplitter frame;
    frame.setWindowTitle("view demo");
    auto *tree = new QTreeWidget;
    frame.addWidget(tree);
    auto *view = new GLView;
    frame.addWidget(view);
    frame.setSizes({200, 800});
    view->SetDocument(&doc);
    frame.setGeometry(0, 0, 1000, 700);
    frame.show();
    view->setFocus();

    if (args.contains("--camera")) {
        QObject::connect(view, &GLView::ModifiedByCamera, view, [view] {
            const CameraPose c = view->GetCamera();
            std::printf("camera %.4f %.4f %.4f pitch %.4f yaw %.4f\n", c.x, c.y, c.z, c.pitch, c.yaw);
            std::fflush(stdout);
        });
    }
    const int shot = args.indexOf("--shot");
    if (shot >= 0 && shot + 1 < args.size()) {
        const QString file = args[shot + 1];
        QTimer::singleShot(1000, view, [view, file] {
            view->grabFramebuffer().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
