#pragma once

// Command identifiers of the main window.  The numbers are shared with the
// panes (GLView::OnCommand, the tree's menus), so they are plain ints.
namespace Cmd {
// Document and application
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintPreview = 57609;
constexpr int FileMru1 = 57616;
constexpr int EditCopy = 57634;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;
constexpr int ViewStandardBar = 59392;
constexpr int ViewStatusBar = 59393;

// Program commands
constexpr int AddFunction = 32771;
constexpr int RefreshTree = 32772;
constexpr int Settings = 32783;
constexpr int ExportBmp = 32798;
constexpr int ExportDxf = 32803;
constexpr int View3dBar = 32821;
constexpr int HelpSummary = 32822;
constexpr int ExportPng = 32840;
constexpr int ExportObj = 32841;
constexpr int ExportStl = 32842;
constexpr int ExportGltf = 32843;
constexpr int ExportWebPage = 32844;
constexpr int ExportSvg = 32845;
constexpr int ExportPdfFigure = 32846;
constexpr int ExportAnimation = 32847;

// 3D view camera commands and pick mode
constexpr int CameraReset = 500;
constexpr int CameraForward = 501;
constexpr int CameraBack = 502;
constexpr int CameraUp = 505;
constexpr int CameraDown = 506;
constexpr int CameraLeft = 507;
constexpr int CameraRight = 508;
constexpr int PitchUp = 509;
constexpr int PitchDown = 510;
constexpr int YawLeft = 511;
constexpr int YawRight = 512;
constexpr int PickMode = 513;

// Animation and trace bars
constexpr int AnimRewind = 113;
constexpr int AnimPlay = 114;
constexpr int AnimStop = 115;
constexpr int AnimStepBack = 116;
constexpr int AnimStepForward = 117;
constexpr int TraceIndex1Up = 118;
constexpr int TraceIndex1Down = 119;
constexpr int TraceIndex2Up = 120;
constexpr int TraceIndex2Down = 121;
constexpr int CloseTraceAnimation = 129;

constexpr int Separator = 0;
}  // namespace Cmd
