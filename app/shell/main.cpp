#include <QApplication>
#include <QStringList>

#include "CMainFrame.h"
#include "model/ProcessStartup.h"
#include "RunningInstance.h"
#include "SettingsStore.h"
#include "view3d/GLView.h"

int main(int argc, char *argv[])
{
    PrepareProcess();
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    ConfigureSettingsStore();

    // A document opened while the program runs goes to the running program.
    const QStringList arguments = QApplication::arguments();
    RunningInstance instance;
    if (arguments.size() > 1 && instance.HandOver(arguments.at(1)))
        return 0;
    instance.Listen();

    CMainFrame frame;
    OpenHandedOverFiles(instance, frame);
    if (!frame.ProcessCommandLine(arguments))
        return 1;
    frame.show();
    return QApplication::exec();
}
