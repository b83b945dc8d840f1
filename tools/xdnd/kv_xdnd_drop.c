/* Drops files onto an X window through the X drag-and-drop protocol (XDND), as a file
 * manager on the X display does: the end-to-end tests use it to drop files onto a window of
 * a program that runs under Wine, whose X11 driver turns the drop into WM_DROPFILES for a
 * window that accepts files. A host (Linux) tool; the Windows drop path cannot be driven
 * from another process on Windows itself.
 *
 *   kv_xdnd_drop <root x> <root y> <unix path>...
 *
 * The target is the topmost mapped top-level window at that point of the root window.
 * Exit code 0 when the target reported the drop finished and accepted, 1 when it refused
 * it or did not answer within 5 s, 2 for bad arguments, 3 without an X display. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static Display *display;
static Window source, target;
static char *uriList;

static Atom atom(const char *name) { return XInternAtom(display, name, False); }

static void sendToTarget(Atom type, long l1, long l2, long l3, long l4) {
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.display = display;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)source;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &e);
    XFlush(display);
}

/* Hands the file list to whoever asks for the drag's selection as text/uri-list. */
static void answerRequest(const XSelectionRequestEvent *request) {
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    if (request->target == atom("text/uri-list")) {
        XChangeProperty(display, request->requestor, request->property, request->target, 8, PropModeReplace,
                        (const unsigned char *)uriList, (int)strlen(uriList));
        reply.xselection.property = request->property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

/* Serves the display until the message `wanted` arrives (its event in *got) or ms pass. */
static int waitFor(Atom wanted, int ms, XClientMessageEvent *got) {
    for (int waited = 0; waited < ms; waited += 10) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == SelectionRequest) answerRequest(&e.xselectionrequest);
            if (e.type == ClientMessage && e.xclient.message_type == wanted) {
                if (got) *got = e.xclient;
                return 1;
            }
        }
        usleep(10000);
    }
    return 0;
}

/* The topmost mapped child of the root window that holds the point (children are listed
 * bottom to top). */
static Window topLevelAt(long x, long y) {
    Window root = DefaultRootWindow(display), parent, *children = NULL;
    unsigned int count = 0;
    Window found = None;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return None;
    for (unsigned int i = count; i-- > 0 && found == None;) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable) continue;
        if (x >= a.x && x < a.x + a.width && y >= a.y && y < a.y + a.height) found = children[i];
    }
    if (children) XFree(children);
    return found;
}

int main(int argc, char **argv) {
    if (argc < 4) return 2;
    display = XOpenDisplay(NULL);
    if (!display) return 3;
    const long x = atol(argv[1]), y = atol(argv[2]);
    target = topLevelAt(x, y);
    if (target == None) return 1;
    size_t size = 1;
    for (int i = 3; i < argc; ++i) size += strlen(argv[i]) + 9;
    uriList = calloc(size, 1);
    if (!uriList) return 2;
    for (int i = 3; i < argc; ++i) {
        strcat(uriList, "file://");
        strcat(uriList, argv[i]);
        strcat(uriList, "\r\n");
    }
    source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);

    sendToTarget(atom("XdndEnter"), 5L << 24, (long)atom("text/uri-list"), None, None);
    sendToTarget(atom("XdndPosition"), 0, (x << 16) | (y & 0xFFFF), CurrentTime, (long)atom("XdndActionCopy"));
    XClientMessageEvent status;
    if (!waitFor(atom("XdndStatus"), 5000, &status) || !(status.data.l[1] & 1)) {
        sendToTarget(atom("XdndLeave"), 0, 0, 0, 0);
        return 1;
    }
    sendToTarget(atom("XdndDrop"), 0, CurrentTime, 0, 0);
    XClientMessageEvent finished;
    if (!waitFor(atom("XdndFinished"), 5000, &finished)) return 1;
    return (finished.data.l[1] & 1) ? 0 : 1;
}
