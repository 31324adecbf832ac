#pragma once
// Where the help page lies: beside the program (help/help.html), else in the
// installed data folder (<prefix>/share/kolvane/help/help.html, or the user's
// and system's data folders).

#include <QString>

#include <string>

// The first of those that exists, else the one beside the program. Native path.
std::string FindHelpPage(const QString& programDir);
