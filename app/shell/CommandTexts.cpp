#include "CommandTexts.h"

#include <QHash>

#include "CommandIds.h"
#include "KeyBindings.h"

namespace {

// A prompt may carry its tool tip after a line feed, as the string table does.
CommandText Make(const QString &menu, const QString &promptAndTip,
                 QList<QKeySequence> keys = {})
{
    const int nl = promptAndTip.indexOf('\n');
    CommandText t;
    t.menuText = menu;
    t.prompt = nl < 0 ? promptAndTip : promptAndTip.left(nl);
    t.toolTip = nl < 0 ? QString() : promptAndTip.mid(nl + 1);
    t.keys = std::move(keys);
    return t;
}

QHash<int, CommandText> BuildTable()
{
    using K = QKeySequence;
    QHash<int, CommandText> t;
    t[Cmd::FileNew] = Make("&New\tCtrl+N", "Create a new document\nNew", {K(QStringLiteral("Ctrl+N"))});
    t[Cmd::FileOpen] = Make("&Open...\tCtrl+O", "Open an existing document\nOpen",
                            {K(QStringLiteral("Ctrl+O"))});
    t[Cmd::FileSave] = Make("&Save\tCtrl+S", "Save the active document\nSave", {K(QStringLiteral("Ctrl+S"))});
    t[Cmd::FileSaveAs] = Make("Save &As...", "Save the active document with a new name\nSave As",
                              StandardKeys(K::SaveAs, {K(QStringLiteral("Ctrl+Shift+S"))}));
    t[Cmd::FilePrint] = Make("&Print...\tCtrl+P", "Print the active document\nPrint",
                             {K(QStringLiteral("Ctrl+P"))});
    t[Cmd::FilePrintPreview] = Make("Print Pre&view...", "Display full pages\nPrint Preview");
    t[Cmd::FilePrintSetup] = Make("P&rint Setup...", "Change the printer and printing options\nPage Setup");
    t[Cmd::ExportBmp] = Make("BMP", "Export the rendered scene to a .bmp image");
    t[Cmd::ExportDxf] = Make("DXF", "Export the rendered scene to a .dxf file");
    t[Cmd::ExportPng] = Make("PNG...", "Export the scene to a .png image of the size you choose");
    t[Cmd::ExportObj] = Make("OBJ...", "Export the visible surfaces to a .obj mesh");
    t[Cmd::ExportStl] = Make("STL...", "Export the visible surfaces to a .stl mesh");
    t[Cmd::ExportGltf] = Make("glTF...", "Export the scene to a .glb file that 3D programs and viewers open");
    t[Cmd::ExportWebPage] = Make("Web Page...", "Export the scene to a web page that turns it with the mouse");
    t[Cmd::ExportSvg] = Make("SVG...", "Export the scene to a .svg vector figure for papers and slides");
    t[Cmd::ExportPdfFigure] = Make("PDF Figure...", "Export the scene to a one-page vector .pdf figure");
    t[Cmd::ExportAnimation] = Make("Animation...", "Export the animation of a function to an .mp4, .webm or .gif film");
    t[Cmd::FileMru1] = Make("Recent File", "Open this document");
    t[Cmd::AppExit] = Make("E&xit", "Quit the application; prompts to save documents\nExit",
                           StandardKeys(K::Quit, {K(QStringLiteral("Ctrl+Q"))}));
    t[Cmd::EditCopy] = Make("&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
                            {K(QStringLiteral("Ctrl+C")), K(QStringLiteral("Ctrl+Insert"))});
    t[Cmd::Settings] = Make("Settings...", "Change the view settings\nSettings");
    t[Cmd::RefreshTree] = Make("Refresh tree", "Reload the functions");
    t[Cmd::AddFunction] = Make("Add Function...", "Add a new function");
    t[Cmd::ViewStandardBar] = Make("&Standard Toolbar", "Show or hide the toolbar\nToggle ToolBar");
    t[Cmd::View3dBar] = Make("3D Toolbar", "Show or hide the3d toolbar\nToggle 3d toolBar");
    t[Cmd::ViewStatusBar] = Make("&Status Bar", "Show or hide the status bar\nToggle StatusBar");
    t[Cmd::HelpSummary] = Make("Summary", "Display the manual\nthe manual");
    t[Cmd::AppAbout] = Make("&About Veltrix...",
                            "Display program information, version number and copyright\nAbout");
    t[Cmd::NextPane] = Make("Next Pane", "Switch to the next window pane\nNext Pane", {K(Qt::Key_F6)});
    t[Cmd::PrevPane] = Make("Previous Pane", "Switch back to the previous window pane\nPrevious Pane",
                            {K(Qt::SHIFT | Qt::Key_F6)});

    t[Cmd::PickMode] = Make("Pick", "Pick a function with the mouse\nPick mode");
    t[Cmd::CameraReset] = Make("Reset", "Put the camera back at its start position\nReset camera");
    t[Cmd::CameraForward] = Make("Forward", "Move the camera forward\nForward");
    t[Cmd::CameraBack] = Make("Back", "Move the camera back\nBack");
    t[Cmd::CameraUp] = Make("Up", "Move the camera up\nUp");
    t[Cmd::CameraDown] = Make("Down", "Move the camera down\nDown");
    t[Cmd::CameraLeft] = Make("Left", "Move the camera sideways to the left\nLeft");
    t[Cmd::CameraRight] = Make("Right", "Move the camera sideways to the right\nRight");
    t[Cmd::PitchUp] = Make("Pitch up", "Turn the camera upwards\nPitch up");
    t[Cmd::PitchDown] = Make("Pitch down", "Turn the camera downwards\nPitch down");
    t[Cmd::YawLeft] = Make("Yaw left", "Turn the camera to the left\nYaw left");
    t[Cmd::YawRight] = Make("Yaw right", "Turn the camera to the right\nYaw right");

    t[Cmd::AnimPlay] = Make("Play", "Play the animation\nPlay");
    t[Cmd::AnimStop] = Make("Stop", "Pause the animation\nStop");
    t[Cmd::AnimRewind] = Make("Rewind", "Back to the first position\nRewind");
    t[Cmd::AnimStepBack] = Make("Step back", "One step back\nStep back");
    t[Cmd::AnimStepForward] = Make("Step forward", "One step forward\nStep forward");
    for (int id : {Cmd::TraceIndex1Up, Cmd::TraceIndex1Down, Cmd::TraceIndex2Up, Cmd::TraceIndex2Down})
        t[id] = TraceStepText(id, QString());
    t[Cmd::CloseTraceAnimation] = Make("Close", "Stop tracing and animating\nClose");
    return t;
}

}  // namespace

CommandText TraceStepText(int id, const QString &variable)
{
    const bool first = id == Cmd::TraceIndex1Up || id == Cmd::TraceIndex1Down;
    const bool forward = id == Cmd::TraceIndex1Up || id == Cmd::TraceIndex2Up;
    const char *key = id == Cmd::TraceIndex1Up     ? "Up"
                      : id == Cmd::TraceIndex1Down ? "Down"
                      : id == Cmd::TraceIndex2Up   ? "Right"
                                                   : "Left";
    const QString named = variable.isEmpty()
                              ? QString::fromLatin1(first ? "the first variable" : "the second variable")
                              : variable;
    const QString tipName =
        variable.isEmpty() ? QString::fromLatin1(first ? "First variable" : "Second variable") : variable;
    const QString sign = forward ? QStringLiteral("+") : QStringLiteral("-");
    CommandText t;
    t.menuText = tipName + QLatin1Char(' ') + sign;
    t.toolTip = tipName + QLatin1Char(' ') + sign + QStringLiteral(" 1 step");
    t.prompt = QStringLiteral("Move the cursor one step %1 along %2 (%3 arrow in the 3D view)")
                   .arg(forward ? QStringLiteral("forward") : QStringLiteral("back"), named,
                        QString::fromLatin1(key));
    return t;
}

CommandText TextOfCommand(int id)
{
    static const QHash<int, CommandText> table = BuildTable();
    return table.value(id);
}
