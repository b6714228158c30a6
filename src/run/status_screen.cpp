#include "run/status_screen.h"

// The console drawing arrives with the console layer; until then a run
// shows nothing on the console.
void OpenStatusScreen() {}
void CloseStatusScreen() {}
void DrawWarningHeader() {}
void DrawStatusMessage(int) {}
void DrawCreationFailure() {}
void DrawBanner() {}
