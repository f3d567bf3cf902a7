#pragma once

// Where a command of the main window's menus and bars is carried out.
enum class CommandTarget {
    Frame,        // the main window itself
    View,         // the 3D view, whichever pane is active
    ActiveView,   // the main window for the 3D view, only while the view is the active pane
};

CommandTarget TargetOfCommand(int id);
