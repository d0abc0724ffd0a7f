#pragma once

// How desktops know the program: its name and version, the desktop entry they match its
// windows to, and its icon.

#include <QIcon>

class QWidget;

namespace inlet {

// Names the program and its desktop entry. Call before the application object is created.
void nameProgram();

// The program's icon as the desktop's icon theme has it installed, else the copy built into
// the program (as when it runs from its build folder). Needs the application object.
QIcon programIcon();

// Gives the program's windows their icon as soon as `window` has been painted for the first
// time: looking the icon up in the icon theme reads the theme's index of hundreds of folders
// (15 to 25 ms), which would otherwise delay the first frame.
void setProgramIconOncePainted(QWidget& window);

}  // namespace inlet
