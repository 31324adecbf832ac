#pragma once
// The pictures of the commands for toolbar buttons and menu items, and the
// program's own icon: SVG files from res/icons, built in as a resource.

#include <QIcon>

// An empty icon for a command without a picture.
QIcon CommandIcon(int commandId);
QIcon ProgramIcon();
