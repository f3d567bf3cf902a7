#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "DocumentCommands.h"
#include "FrameActions.h"

class CVeltrix2Doc;
class CVeltrix2View;
class DocumentHistory;
class FloatingBar;
class FullScreenView;
class GLView;
class OutputCommands;
class ParametersDock;
class QMenu;
class QPrinter;
class QSplitter;
class QToolBar;
class SplashWindow;
class TraceStatusBar;

// The main window: the function tree on the left and the 3D view on the
// right, the menus, the standard and 3D tool bars, the floating animation
// and trace bars and the status bar.  It is where the panes meet: it places
// the panes' actions in its menus and bars (each pane owns and carries out
// its own, whichever pane is active), and passes picks, trace read-outs and
// trace/animation requests between the panes, so that neither pane knows
// the other.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class Pane {
        Tree,
        View
    };

    struct Options {
        bool showSplash = true;
    };

    explicit CMainFrame(Options options);
    CMainFrame() : CMainFrame(Options{}) {}
    ~CMainFrame() override;

    CVeltrix2Doc *Document() const { return doc_; }
    DocumentCommands *Documents() const { return documents_; }
    OutputCommands *Output() const { return output_; }
    GLView *View3d() const { return view_; }
    CVeltrix2View *TreeView() const { return tree_; }
    QSplitter *Splitter() const { return splitter_; }
    TraceStatusBar *TraceStatus() const { return status_; }
    QToolBar *StandardBar() const { return standardBar_; }
    QToolBar *ToolBar3d() const { return toolBar3d_; }
    FloatingBar *AnimationBar() const { return animationBar_; }
    FloatingBar *TraceBar() const { return traceBar_; }
    ParametersDock *Parameters() const { return parameters_; }
    SplashWindow *Splash() const;
    // The main window's own commands.
    const FrameActions &Actions() const { return actions_; }
    // Edit > Undo and Redo, made by the document's history.
    QAction *UndoAction() const { return undo_; }
    QAction *RedoAction() const { return redo_; }
    Pane ActivePane() const { return activePane_; }
    // Whether the 3D view covers the screen (Escape in the view, F11).
    bool IsFullScreen() const;

    // The program's arguments: an optional document to open.  False when
    // that document cannot be read, which ends the start-up.
    bool ProcessCommandLine(const QStringList &arguments);
    // Opens `path` after asking to save a modified document.
    DocumentCommands::OpenResult OpenDocumentFile(const QString &path);
    // The same for a file another start handed over, named in the question.
    DocumentCommands::OpenResult OpenHandedOverFile(const QString &path);

    // Operations of the trace and animation controls.
    void ShowTraceBar(bool on);
    void ShowAnimationBar(bool on);
    void SetTraceValues(double value, double x, double y, double z);
    void CloseTraceAndAnimation();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void CreatePanes();
    void CreateMenus();
    void CreateHistoryActions();
    void ConnectActions();
    void ShowTitle();
    void EndRunsBeforeReplay();
    void CreateBars();
    void ConnectPanes();
    void OpenFloatingBar(FloatingBar *bar);
    void RestorePlacement();
    void SavePlacement();
    void RebuildRecentFileMenu();
    void FillFunctionsMenu(QMenu *menu);
    void OnFocusChanged(QWidget *old, QWidget *now);
    void SetActivePane(Pane pane);
    void SwitchPane();
    void ToggleToolBar3d();
    void ToggleStatusBar();
    void ShowAbout();
    void ShowManual();
    QWidget *PaneFocusWidget(Pane pane) const;

    Options options_;
    CVeltrix2Doc *doc_;
    DocumentHistory *history_;
    DocumentCommands *documents_ = nullptr;
    OutputCommands *output_ = nullptr;
    FrameActions actions_;
    QSplitter *splitter_ = nullptr;
    CVeltrix2View *tree_ = nullptr;
    GLView *view_ = nullptr;
    TraceStatusBar *status_ = nullptr;
    QToolBar *standardBar_ = nullptr;
    QToolBar *toolBar3d_ = nullptr;
    FloatingBar *animationBar_ = nullptr;
    FloatingBar *traceBar_ = nullptr;
    ParametersDock *parameters_ = nullptr;
    FullScreenView *fullScreen_ = nullptr;
    QMenu *fileMenu_ = nullptr;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    QAction *recentAnchor_ = nullptr;
    QList<QAction *> recentActions_;
    QPointer<SplashWindow> splash_;
    std::unique_ptr<QPrinter> printer_;   // made on first use
    bool toolBar3dShown_ = true;
    bool splashShown_ = false;
    Pane activePane_ = Pane::Tree;
};
