#pragma once
// The application's printer: the system's default printer until the user picks
// another in the printer setup or print dialog; the choice holds for the rest
// of the session. Made on first use, so that start-up does not wait for the
// printing system.

class QPrinter;

QPrinter& AfxGetAppPrinter();
