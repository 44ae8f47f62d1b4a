#include "shell/ui/X11Windows.h"

#include <QByteArray>
#include <QSet>

// Xlib defines macros (Bool, Status, None) that clash with Qt's headers: include it last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// A window that disappears between listing and asking would raise BadWindow, which by default ends the
// process. While we walk, errors are ignored and the window is simply skipped.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

class ErrorGuard
{
public:
    explicit ErrorGuard(Display* display)
        : m_display(display)
        , m_previous(XSetErrorHandler(ignoreXErrors))
    {
    }
    ~ErrorGuard()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorGuard(const ErrorGuard&) = delete;
    ErrorGuard& operator=(const ErrorGuard&) = delete;

private:
    Display* m_display;
    int (*m_previous)(Display*, XErrorEvent*);
};

// Frames of reparenting window managers sit between the root and the client; a few levels are enough.
constexpr int kMaxDepth = 4;

} // namespace

struct X11Windows::Private
{
    Display* display = nullptr;
    bool triedOpen = false;
    Atom netWmName = None;
    Atom utf8String = None;
    Atom netClientList = None;
    Atom wmState = None;

    bool open()
    {
        if (!triedOpen) {
            triedOpen = true;
            display = XOpenDisplay(nullptr);
            if (display) {
                netWmName = XInternAtom(display, "_NET_WM_NAME", False);
                utf8String = XInternAtom(display, "UTF8_STRING", False);
                netClientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
                wmState = XInternAtom(display, "WM_STATE", False);
            }
        }
        return display != nullptr;
    }

    QByteArray property(Window w, Atom name, Atom type, int format, unsigned long* count)
    {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        QByteArray result;
        *count = 0;
        if (XGetWindowProperty(display, w, name, 0, 1 << 20, False, type, &actualType, &actualFormat, &items, &after,
                               &data)
                == Success
            && data) {
            if ((type == AnyPropertyType || actualType == type) && actualFormat == format) {
                const int unit = format == 32 ? int(sizeof(long)) : format / 8;
                result = QByteArray(reinterpret_cast<const char*>(data), int(items) * unit);
                *count = items;
            }
            XFree(data);
        }
        return result;
    }

    bool hasProperty(Window w, Atom name)
    {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        const bool ok = XGetWindowProperty(display, w, name, 0, 0, False, AnyPropertyType, &actualType, &actualFormat,
                                           &items, &after, &data)
                == Success
            && actualType != None;
        if (data)
            XFree(data);
        return ok;
    }

    // The window's title: _NET_WM_NAME (UTF-8) when set, else WM_NAME in its own encoding; null when neither.
    QString title(Window w)
    {
        unsigned long count = 0;
        const QByteArray utf8 = property(w, netWmName, utf8String, 8, &count);
        if (count > 0)
            return QString::fromUtf8(utf8);
        XTextProperty text;
        if (!XGetWMName(display, w, &text))
            return QString();
        QString name;
        if (text.value) {
            if (text.encoding == XA_STRING) {
                name = QString::fromLatin1(reinterpret_cast<const char*>(text.value), int(text.nitems));
            } else {
                char** list = nullptr;
                int n = 0;
                if (Xutf8TextPropertyToTextList(display, &text, &list, &n) >= Success && n > 0 && list) {
                    name = QString::fromUtf8(list[0]);
                    XFreeStringList(list);
                } else {
                    name = QString::fromUtf8(reinterpret_cast<const char*>(text.value), int(text.nitems));
                }
            }
            XFree(text.value);
        }
        if (name.isNull())
            name = QStringLiteral("");
        return name;
    }

    bool walk(Window w, const QString& wanted, int depth, QSet<Window>& seen)
    {
        if (seen.contains(w))
            return false;
        seen.insert(w);
        if (title(w) == wanted)
            return true;
        // A client window (one the window manager manages) is a leaf; anything else may be a frame.
        if (depth >= kMaxDepth || hasProperty(w, wmState))
            return false;
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(display, w, &root, &parent, &children, &n))
            return false;
        bool found = false;
        for (unsigned int i = 0; i < n && !found; ++i)
            found = walk(children[i], wanted, depth + 1, seen);
        if (children)
            XFree(children);
        return found;
    }
};

X11Windows::X11Windows()
    : d(new Private)
{
}

X11Windows::~X11Windows()
{
    if (d->display)
        XCloseDisplay(d->display);
    delete d;
}

bool X11Windows::available()
{
    return d->open();
}

bool X11Windows::topLevelWindowExists(const QString& title)
{
    if (!d->open())
        return false;
    ErrorGuard guard(d->display);
    const Window root = DefaultRootWindow(d->display);
    QSet<Window> seen;
    seen.insert(root);

    unsigned long count = 0;
    const QByteArray clients = d->property(root, d->netClientList, XA_WINDOW, 32, &count);
    const auto* ids = reinterpret_cast<const long*>(clients.constData());
    for (unsigned long i = 0; i < count; ++i) {
        const Window w = Window(ids[i]);
        if (!seen.contains(w)) {
            seen.insert(w);
            if (d->title(w) == title)
                return true;
        }
    }

    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d->display, root, &rootReturn, &parent, &children, &n))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = d->walk(children[i], title, 1, seen);
    if (children)
        XFree(children);
    return found;
}
