#include <QApplication>
#include <QStringList>

#include "CMainFrame.h"
#include "ProcessStartup.h"
#include "SettingsStore.h"
#include "view3d/GLView.h"

int main(int argc, char *argv[])
{
    PrepareProcess();
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    ConfigureSettingsStore();

    CMainFrame frame;
    if (!frame.ProcessCommandLine(QApplication::arguments()))
        return 1;
    frame.show();
    return QApplication::exec();
}
