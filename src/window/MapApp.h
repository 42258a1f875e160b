// The application object: creates the map window and runs it until it closes.
#pragma once

struct StartOptions;
class CMapDlg;

class CMapApp {
public:
    // Creates the window as the command line asks and initialises it; the
    // caller runs the event loop. Returns the window, owned by the caller.
    CMapDlg* InitInstance(const StartOptions& options);
};
