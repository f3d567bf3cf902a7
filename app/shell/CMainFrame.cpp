#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <QUndoStack>

#include "AboutDialog.h"
#include "BarLayouts.h"
#include "FloatingBar.h"
#include "FramePlacement.h"
#include "FullScreenView.h"
#include "KeyBindings.h"
#include "MessageBoxTitles.h"
#include "ParametersDock.h"
#include "PointReadout.h"
#include "SettingsCommand.h"
#include "ShellResources.h"
#include "SplashWindow.h"
#include "TraceStatusBar.h"
#include "UserManual.h"
#include "ViewPreferences.h"
#include "history/DocumentHistory.h"
#include "model/CVeltrix2Doc.h"
#include "output/OutputCommands.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/CVeltrix2View.h"
#include "tree/ParameterPanel.h"
#include "view3d/GLView.h"

namespace {
constexpr int kTreePaneWidth = 250;
constexpr int kFloatingBarMargin = 8;

bool IsInside(const QWidget *widget, const QWidget *ancestor)
{
    return widget && ancestor && (widget == ancestor || ancestor->isAncestorOf(widget));
}
}  // namespace

CMainFrame::CMainFrame(Options options)
    : options_(options), doc_(new CVeltrix2Doc(this)), history_(&DocumentHistory::Of(*doc_)),
      actions_(FrameActions::Make(this))
{
    InitShellResources();
    new MessageBoxTitles(this);
    setWindowIcon(QIcon(QStringLiteral(":/res/veltrix-48.png")));
    setAcceptDrops(true);
    RestorePlacement();

    documents_ = new DocumentCommands(doc_, this);

    CreatePanes();
    output_ = new OutputCommands(
        view_,
        [this] {
            if (!printer_)
                printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            return printer_.get();
        },
        this);
    output_->SetStartFolder([this] { return documents_->StartFolder(); });
    output_->SetSelectedFunction([this] {
        const QTreeWidgetItem *item = tree_ ? tree_->Tree()->currentItem() : nullptr;
        const TreeNodeEntry *entry = item && item->isSelected() ? tree_->FindNodeEntry(item) : nullptr;
        return entry ? entry->function : int32_t(-1);
    });
    CreateBars();
    CreateMenus();
    ConnectActions();
    ConnectPanes();

    ShowTitle();
    connect(documents_, &DocumentCommands::TitleChanged, this, &CMainFrame::ShowTitle);
    connect(doc_, &CVeltrix2Doc::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(documents_, &DocumentCommands::RecentFilesChanged, this, &CMainFrame::RebuildRecentFileMenu);
    RebuildRecentFileMenu();
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
    SetActivePane(Pane::Tree);
}

CMainFrame::~CMainFrame()
{
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (splash_)
        splash_->close();
    // The panes refer to the document until they are gone; children are
    // deleted in creation order, which would take the document first.
    delete splitter_;
    splitter_ = nullptr;
}

SplashWindow *CMainFrame::Splash() const
{
    return splash_.data();
}

// ---------------------------------------------------------------- creation

void CMainFrame::CreatePanes()
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(true);
    tree_ = new CVeltrix2View(doc_, splitter_);
    view_ = new GLView(splitter_);
    view_->SetDocument(doc_);
    view_->installEventFilter(this);
    splitter_->addWidget(tree_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kTreePaneWidth, qMax(1, width() - kTreePaneWidth)});
    setCentralWidget(splitter_);
    fullScreen_ = new FullScreenView(this, splitter_, view_);

    parameters_ = new ParametersDock(doc_, actions_.parameters, this);
    addDockWidget(Qt::RightDockWidgetArea, parameters_);
    parameters_->Restore();
}

void CMainFrame::CreateBars()
{
    const QList<QAction *> standard = BarLayouts::Standard(actions_, output_->Actions());
    const QList<QAction *> threeD = BarLayouts::ThreeD(view_->Actions());
    const QList<QAction *> animation = BarLayouts::Animation(view_->Actions(), actions_);
    const QList<QAction *> trace = BarLayouts::Trace(view_->Actions(), actions_);
    BarLayouts::SetImages(QStringLiteral(":/res/standard.png"), standard);
    BarLayouts::SetImages(QStringLiteral(":/res/bar3d.png"), threeD);
    BarLayouts::SetImages(QStringLiteral(":/res/animation.png"), animation);
    BarLayouts::SetImages(QStringLiteral(":/res/trace.png"), trace);

    auto makeBar = [this](const QString &title, const QString &name, const QList<QAction *> &buttons) {
        auto *bar = new QToolBar(title, this);
        bar->setObjectName(name);
        bar->setIconSize(QSize(16, 15));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        for (QAction *a : buttons) {
            if (a)
                bar->addAction(a);
            else
                bar->addSeparator();
        }
        return bar;
    };
    standardBar_ = makeBar(QStringLiteral("Standard"), QStringLiteral("standardBar"), standard);
    addToolBar(Qt::TopToolBarArea, standardBar_);
    toolBar3d_ = makeBar(QStringLiteral("3D"), QStringLiteral("toolBar3d"), threeD);
    addToolBar(Qt::RightToolBarArea, toolBar3d_);

    animationBar_ = new FloatingBar(QStringLiteral("Animation"), animation, this);
    traceBar_ = new FloatingBar(QStringLiteral("Trace"), trace, this);
    animationBar_->hide();
    traceBar_->hide();

    status_ = new TraceStatusBar(this);
    setStatusBar(status_);
}

// A bar opens over the scene's top right corner, beside the 3D tool bar
// docked at the right, inside the window and over no control; below the
// other bar when that is open.
void CMainFrame::OpenFloatingBar(FloatingBar *bar)
{
    if (bar->isVisible())
        return;
    const QRect scene(view_->mapToGlobal(QPoint(0, 0)), view_->size());
    FloatingBar *other = bar == traceBar_ ? animationBar_ : traceBar_;
    bar->PlaceInside(scene, kFloatingBarMargin, other->isVisible() ? other : nullptr);
    bar->show();
    // The window manager's frame is known once the bar is shown: place it
    // again with the frame counted.
    bar->PlaceInside(scene, kFloatingBarMargin, other->isVisible() ? other : nullptr);
}

void CMainFrame::CreateMenus()
{
    const FrameActions &f = actions_;
    const OutputActions &o = output_->Actions();
    QMenuBar *bar = menuBar();

    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    fileMenu_->addActions({f.fileNew, f.fileOpen, f.fileSave, f.fileSaveAs});
    fileMenu_->addSeparator();
    fileMenu_->addActions({o.print, o.printPreview, o.printSetup});
    fileMenu_->addSeparator();
    QMenu *exportMenu = fileMenu_->addMenu(QStringLiteral("&Export"));
    for (QAction *item : o.Exports()) {
        if (item)
            exportMenu->addAction(item);
        else
            exportMenu->addSeparator();
    }
    fileMenu_->addSeparator();
    recentAnchor_ = fileMenu_->addSeparator();
    fileMenu_->addAction(f.exit);

    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    CreateHistoryActions();
    edit->addActions({undo_, redo_});
    edit->addSeparator();
    edit->addAction(o.copy);
    edit->addSeparator();
    edit->addAction(f.settings);

    QMenu *functions = bar->addMenu(QStringLiteral("F&unctions"));
    connect(functions, &QMenu::aboutToShow, this, [this, functions] { FillFunctionsMenu(functions); });
    FillFunctionsMenu(functions);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->addActions({f.standardBar, f.toolBar3d, f.statusBar, f.parameters});
    view->addSeparator();
    view->addActions((new ViewPreferences(view_, this))->Actions());

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(f.summary);
    help->addSeparator();
    help->addAction(f.about);

    // Keys without a menu item still need a home to work from either pane.
    addActions({f.nextPane, f.prevPane, f.fullScreen});
}

void CMainFrame::CreateHistoryActions()
{
    QUndoStack &stack = history_->Stack();
    undo_ = stack.createUndoAction(this, QStringLiteral("&Undo"));
    undo_->setShortcuts(StandardKeys(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    undo_->setStatusTip(QStringLiteral("Undo the last change"));
    redo_ = stack.createRedoAction(this, QStringLiteral("&Redo"));
    redo_->setShortcuts(StandardKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                          QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    redo_->setStatusTip(QStringLiteral("Redo the change undone last"));
}

void CMainFrame::ShowTitle()
{
    setWindowTitle(documents_->WindowTitleWithMark());
    setWindowModified(doc_->IsModified());
}

void CMainFrame::FillFunctionsMenu(QMenu *menu)
{
    tree_->PopulateFunctionsMenu(menu);
}

void CMainFrame::ConnectActions()
{
    const FrameActions &f = actions_;
    connect(f.fileNew, &QAction::triggered, documents_, [this] { documents_->New(); });
    connect(f.fileOpen, &QAction::triggered, documents_, [this] { documents_->Open(); });
    connect(f.fileSave, &QAction::triggered, documents_, [this] { documents_->Save(); });
    connect(f.fileSaveAs, &QAction::triggered, documents_, [this] { documents_->SaveAs(); });
    connect(f.exit, &QAction::triggered, this, &QWidget::close);
    connect(f.settings, &QAction::triggered, this, [this] {
        QString corrected;
        if (RunSettingsCommand(*doc_, this, &corrected) && !corrected.isEmpty())
            status_->showMessage(corrected);
    });
    connect(f.standardBar, &QAction::triggered, this, [this] { standardBar_->setVisible(!standardBar_->isVisible()); });
    connect(standardBar_, &QToolBar::visibilityChanged, f.standardBar, &QAction::setChecked);
    connect(f.toolBar3d, &QAction::triggered, this, &CMainFrame::ToggleToolBar3d);
    connect(f.statusBar, &QAction::triggered, this, &CMainFrame::ToggleStatusBar);
    connect(f.fullScreen, &QAction::triggered, fullScreen_, &FullScreenView::Toggle);
    connect(f.summary, &QAction::triggered, this, &CMainFrame::ShowManual);
    connect(f.about, &QAction::triggered, this, &CMainFrame::ShowAbout);
    connect(f.nextPane, &QAction::triggered, this, &CMainFrame::SwitchPane);
    connect(f.prevPane, &QAction::triggered, this, &CMainFrame::SwitchPane);
    connect(f.closeTraceAnimation, &QAction::triggered, this, &CMainFrame::CloseTraceAndAnimation);
    // The window manager's close box of a bar is the bars' close button.
    for (FloatingBar *bar : {animationBar_, traceBar_})
        connect(bar, &FloatingBar::CloseRequested, f.closeTraceAnimation, &QAction::trigger);
}

void CMainFrame::ConnectPanes()
{
    connect(view_, &GLView::TraceValues, this, &CMainFrame::SetTraceValues);
    new PointReadout(view_, status_, this);
    // A click on empty space (-1) clears the tree's selection.
    connect(view_, &GLView::FunctionPicked, tree_, &CVeltrix2View::SelectFunctionNode);
    connect(view_, &GLView::ModesEnded, this, &CMainFrame::CloseTraceAndAnimation);
    connect(view_, &GLView::FullScreenRequested, fullScreen_, &FullScreenView::Toggle);
    connect(tree_, &CVeltrix2View::TraceBarRequested, this, &CMainFrame::ShowTraceBar);
    connect(tree_, &CVeltrix2View::AnimationBarRequested, this, &CMainFrame::ShowAnimationBar);
    connect(tree_, &CVeltrix2View::TraceRequested, view_, &GLView::SetTrace);
    connect(tree_, &CVeltrix2View::AnimationRequested, view_, &GLView::SetAnimation);
    connect(tree_, &CVeltrix2View::StatusMessage, status_, [this](const QString &text) { status_->showMessage(text); });
    // The Parameters pane shows the selected function, rests while a trace
    // or an animation owns the variables, and has its drags drawn live.
    ParameterPanel *panel = parameters_->Panel();
    connect(tree_, &CVeltrix2View::SelectedFunctionChanged, panel, &ParameterPanel::ShowFunction);
    connect(tree_, &CVeltrix2View::RunningChanged, panel, &ParameterPanel::SetLocked);
    connect(panel, &ParameterPanel::Previewed, view_, &GLView::PreviewFunction);
    connect(history_, &DocumentHistory::ReplayStarting, this, &CMainFrame::EndRunsBeforeReplay);
    connect(documents_, &DocumentCommands::DocumentReplaced, this, [this] {
        CloseTraceAndAnimation();
        tree_->FillTree();
    });
}

// ---------------------------------------------------------------- placement

void CMainFrame::RestorePlacement()
{
    FramePlacement::Restore(*this, QSettings());
}

void CMainFrame::SavePlacement()
{
    QSettings store;
    // The rectangle the window has when it is neither maximised nor full
    // screen: the next run always opens in the normal state.
    FramePlacement::Save(store, fullScreen_->IsOn() ? fullScreen_->SavedFrameRect() : normalGeometry());
}

// ---------------------------------------------------------------- commands

void CMainFrame::ToggleToolBar3d()
{
    toolBar3d_->setVisible(!toolBar3dShown_);
    toolBar3dShown_ = !toolBar3dShown_;
    actions_.toolBar3d->setChecked(toolBar3dShown_);
}

void CMainFrame::ToggleStatusBar()
{
    status_->setVisible(!status_->isVisible());
    actions_.statusBar->setChecked(status_->isVisible());
}

QMenu *CMainFrame::createPopupMenu()
{
    // The bars are shown and hidden from the View menu only, which keeps the
    // 3D bar's check mark true.
    return nullptr;
}

void CMainFrame::ShowAbout()
{
    AboutDialog about(this);
    about.exec();
}

void CMainFrame::ShowManual()
{
    if (!OpenUserManual())
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("The manual could not be opened."));
}

// ---------------------------------------------------------------- panes

bool CMainFrame::IsFullScreen() const
{
    return fullScreen_->IsOn();
}

void CMainFrame::OnFocusChanged(QWidget *, QWidget *now)
{
    if (IsInside(now, view_))
        SetActivePane(Pane::View);
    else if (IsInside(now, tree_))
        SetActivePane(Pane::Tree);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // A click in the 3D view makes it the active pane even if the view
    // does not take the focus itself.
    if (watched == view_ && event->type() == QEvent::MouseButtonPress)
        SetActivePane(Pane::View);
    return QMainWindow::eventFilter(watched, event);
}

// Copy takes the 3D view's picture: from the tree it is greyed.
void CMainFrame::SetActivePane(Pane pane)
{
    activePane_ = pane;
    output_->Actions().copy->setEnabled(activePane_ == Pane::View);
}

QWidget *CMainFrame::PaneFocusWidget(Pane pane) const
{
    return pane == Pane::View ? static_cast<QWidget *>(view_) : tree_->FocusWidget();
}

void CMainFrame::SwitchPane()
{
    // Two panes: next and previous are the same move.
    const Pane target = activePane_ == Pane::Tree ? Pane::View : Pane::Tree;
    PaneFocusWidget(target)->setFocus(Qt::ShortcutFocusReason);
    SetActivePane(target);
}

// ---------------------------------------------------------------- trace and animation

void CMainFrame::ShowTraceBar(bool on)
{
    status_->SetTraceLayout(on);
    if (on)
        OpenFloatingBar(traceBar_);
    else
        traceBar_->hide();
}

void CMainFrame::ShowAnimationBar(bool on)
{
    if (on)
        OpenFloatingBar(animationBar_);
    else
        animationBar_->hide();
}

void CMainFrame::SetTraceValues(double value, double x, double y, double z)
{
    status_->SetTraceValues(value, x, y, z);
}

// The trace and the animation are no part of the history: an undo or a
// redo ends them before it changes the functions they run on.
void CMainFrame::EndRunsBeforeReplay()
{
    if (tree_->IsTracing() || tree_->IsAnimating())
        CloseTraceAndAnimation();
}

void CMainFrame::CloseTraceAndAnimation()
{
    view_->SetTrace(false, -1);
    view_->SetAnimation(false, -1);
    tree_->ResetTraceState();
    animationBar_->hide();
    traceBar_->hide();
    status_->SetTraceLayout(false);
}

// ---------------------------------------------------------------- documents

bool CMainFrame::ProcessCommandLine(const QStringList &arguments)
{
    // Options the toolkit understands were taken out of the list already;
    // the first remaining argument after the program is the document.
    if (arguments.size() < 2)
        return true;
    return OpenDocumentFile(arguments.at(1)) != DocumentCommands::OpenResult::Failed;
}

DocumentCommands::OpenResult CMainFrame::OpenDocumentFile(const QString &path)
{
    return documents_->OpenPath(path);
}

DocumentCommands::OpenResult CMainFrame::OpenHandedOverFile(const QString &path)
{
    return documents_->OpenHandedOver(path);
}

void CMainFrame::RebuildRecentFileMenu()
{
    for (QAction *a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const RecentFiles &recent = documents_->Recent();
    if (recent.Entries().isEmpty()) {
        auto *empty = new QAction(QStringLiteral("Recent File"), fileMenu_);
        empty->setEnabled(false);
        recentActions_.append(empty);
    }
    for (int i = 0; i < recent.Entries().size(); ++i) {
        const QString path = recent.Entries()[i];
        auto *a = new QAction(recent.MenuText(i), fileMenu_);
        a->setStatusTip(QStringLiteral("Open this document"));
        connect(a, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
        recentActions_.append(a);
    }
    fileMenu_->insertActions(recentAnchor_, recentActions_);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl &u) { return u.isLocalFile(); }))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    activateWindow();
    // Each file in turn, as if opened one after the other.
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile() &&
            OpenDocumentFile(url.toLocalFile()) == DocumentCommands::OpenResult::Cancelled)
            break;
    }
}

// ---------------------------------------------------------------- life cycle

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (options_.showSplash && !splashShown_) {
        splashShown_ = true;
        splash_ = new SplashWindow(QPixmap(QStringLiteral(":/res/splash.png")));
        connect(splash_, &SplashWindow::Dismissed, this, [this] { update(); });
        splash_->ShowCentred();
    }
    if (activePane_ == Pane::Tree)
        PaneFocusWidget(Pane::Tree)->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!documents_->SaveModified()) {
        event->ignore();
        return;
    }
    SavePlacement();
    animationBar_->hide();
    traceBar_->hide();
    event->accept();
}
