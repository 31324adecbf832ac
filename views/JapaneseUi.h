#pragma once
// The program speaks Japanese whatever the system's language: a Japanese font
// for every widget (IPA P Gothic or IPA Gothic where installed, the system's
// own UI font elsewhere) and Qt's own dialogs in Japanese.

class QApplication;

void SetUpJapaneseUi(QApplication& app);
