#pragma once
// The pictures of the commands, drawn for toolbar buttons and menu items, and
// the program's own icon.

#include <QIcon>

// An empty icon for a command without a picture.
QIcon CommandIcon(int commandId);
QIcon ProgramIcon();
