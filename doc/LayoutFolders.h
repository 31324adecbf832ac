#pragma once
// Where the program and kolvane-cli keep the layout folders: beside the program
// (an installed program's bundled layouts in <prefix>/share/kolvane), or, when
// that folder cannot be written, in the user's data folder
// (<data>/Tavrin/ｺﾙｳﾞｧﾈ), seeded from the bundled layouts.

#include <string>

// programDir: the running program's folder, native encoding.
void ChooseLayoutFolders(const std::string& programDir);
