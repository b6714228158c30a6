// What FinishRun shows on the console: the warning header, the status
// messages, the lines about a result file that cannot be created, and the
// closing banner.  When no console can be had, nothing is drawn.  The line
// feeds that FinishRun writes to standard output before the header and the
// banner are its own, not drawn here.
#ifndef RINGCHECK_RUN_STATUS_SCREEN_H
#define RINGCHECK_RUN_STATUS_SCREEN_H

// Opens the console for this run (once per run, before the first drawing).
void OpenStatusScreen();
void CloseStatusScreen();
void DrawWarningHeader();
void DrawStatusMessage(int status);
void DrawCreationFailure();
void DrawBanner();

#endif
