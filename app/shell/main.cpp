#include <QApplication>
#include <QStringList>

#include "CMainFrame.h"
#include "SettingsStore.h"
#include "view3d/GLView.h"

int main(int argc, char *argv[])
{
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    ConfigureSettingsStore();

    CMainFrame frame;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 &&
        frame.OpenDocumentFile(args.at(1)) == DocumentCommands::OpenResult::Failed)
        return 1;   // the file named on the command line could not be read
    frame.show();
    return QApplication::exec();
}
