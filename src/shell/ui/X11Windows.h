#pragma once

#include <QString>

// Looks for top-level windows on the X display named by $DISPLAY, independent of the toolkit's own
// connection. Opens the display on first use and keeps it until destroyed.
class X11Windows
{
public:
    X11Windows();
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    // True when the display can be reached.
    bool available();
    // True when a top-level client window's title (_NET_WM_NAME as UTF-8, else WM_NAME) equals title
    // exactly. Looks at the window manager's client list when one is kept and walks the root window's
    // children (and, below window-manager frames, their children) so a bare X server is covered too.
    bool topLevelWindowExists(const QString& title);

private:
    struct Private;
    Private* d;
};
