// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/x11_screen_grabber.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xfixes.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "imaging/raster_image.h"

namespace {

// What shmat returns on failure, (void*) -1; also the mark of a segment not attached.
char* shmNotAttached()
{
    return reinterpret_cast<char*>(-1);  // NOLINT(performance-no-int-to-ptr): the value shmat defines
}

// --- X errors ----------------------------------------------------------------
// Xlib reports protocol errors through one process-wide handler whose default
// ends the process. Requests that may fail (attaching the segment, reading the
// screen) run inside an XErrorTrap: it installs a handler that records the error
// and restores the previous handler when it ends. The handler is a C callback
// without user data, so the recorded error lives in this file; the mutex keeps
// two grabbers on two threads from overlapping their traps.
std::mutex gTrapMutex;
int gTrapError = 0;  // guarded by gTrapMutex while a trap is active

int recordXError(Display*, XErrorEvent* event)
{
    if (gTrapError == 0)
        gTrapError = event->error_code ? event->error_code : -1;
    return 0;
}

class XErrorTrap {
public:
    // Every request the grabber sends outside a trap waits for its reply, so
    // no earlier error can still be on its way when a trap begins.
    explicit XErrorTrap(Display* display) : display_(display), lock_(gTrapMutex)
    {
        gTrapError = 0;
        previous_ = XSetErrorHandler(recordXError);
    }
    ~XErrorTrap()
    {
        if (!synced_)
            XSync(display_, False);  // no error of ours may reach the previous handler
        XSetErrorHandler(previous_);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; the error code of
    // the first failed request since the trap began, 0 when none failed.
    int sync()
    {
        XSync(display_, False);
        synced_ = true;
        return gTrapError;
    }
    // The last request was answered with a reply, so nothing is outstanding.
    void replied() { synced_ = true; }

private:
    Display* display_;
    bool synced_ = false;
    std::lock_guard<std::mutex> lock_;
    XErrorHandler previous_ = nullptr;
};

// --- RAII handles ----------------------------------------------------------------
struct DisplayCloser {
    void operator()(Display* d) const
    {
        if (d)
            XCloseDisplay(d);
    }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XImageDestroyer {
    void operator()(XImage* image) const
    {
        if (image)
            XDestroyImage(image);
    }
};
using XImagePtr = std::unique_ptr<XImage, XImageDestroyer>;

// An XImage header over memory it does not own (the shared segment): the data
// pointer is taken away before the header is destroyed.
struct BorrowedXImageDestroyer {
    void operator()(XImage* image) const
    {
        if (image) {
            image->data = nullptr;
            XDestroyImage(image);
        }
    }
};
using BorrowedXImagePtr = std::unique_ptr<XImage, BorrowedXImageDestroyer>;

struct XFreeDeleter {
    void operator()(void* p) const
    {
        if (p)
            XFree(p);
    }
};

// One shared-memory segment attached to the server and to this process. It is
// marked for removal as soon as both sides have attached, so it disappears
// when the last one detaches, even if the process dies.
class ShmSegment {
public:
    ShmSegment()
    {
        info_.shmid = -1;
        info_.shmaddr = shmNotAttached();
    }
    ~ShmSegment() { release(); }
    ShmSegment(const ShmSegment&) = delete;
    ShmSegment& operator=(const ShmSegment&) = delete;

    // Creates a private segment of `bytes` (mode 0600) and attaches it to the
    // server. False (and nothing held) when any step fails.
    bool create(Display* display, size_t bytes)
    {
        release();
        display_ = display;
        info_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (info_.shmid < 0) {
            qWarning("screen grab: shmget of %zu bytes failed", bytes);
            return false;
        }
        void* addr = shmat(info_.shmid, nullptr, 0);
        if (addr == static_cast<void*>(shmNotAttached())) {
            qWarning("screen grab: shmat failed");
            shmctl(info_.shmid, IPC_RMID, nullptr);
            info_.shmid = -1;
            return false;
        }
        info_.shmaddr = static_cast<char*>(addr);
        info_.readOnly = False;
        bool attached = false;
        {
            XErrorTrap trap(display);
            attached = XShmAttach(display, &info_) && trap.sync() == 0;
        }
        // Both sides hold the segment now (or the server never will): mark it
        // for removal so it cannot outlive us.
        shmctl(info_.shmid, IPC_RMID, nullptr);
        if (!attached) {
            qWarning("screen grab: the X server refused the shared segment; using XGetImage");
            shmdt(info_.shmaddr);
            info_.shmaddr = shmNotAttached();
            info_.shmid = -1;
            return false;
        }
        serverAttached_ = true;
        size_ = bytes;
        return true;
    }

    void release()
    {
        if (serverAttached_ && display_) {
            XErrorTrap trap(display_);
            XShmDetach(display_, &info_);
            trap.sync();
        }
        serverAttached_ = false;
        if (info_.shmaddr != shmNotAttached())
            shmdt(info_.shmaddr);
        info_.shmaddr = shmNotAttached();
        info_.shmid = -1;
        size_ = 0;
    }

    bool valid() const { return serverAttached_; }
    size_t size() const { return size_; }
    XShmSegmentInfo* info() { return &info_; }

private:
    Display* display_ = nullptr;
    XShmSegmentInfo info_{};
    bool serverAttached_ = false;
    size_t size_ = 0;
};

bool isBgrx(const XImage* image)
{
    return image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
           image->green_mask == 0x00FF00 && image->blue_mask == 0x0000FF;
}

int maskShift(unsigned long mask)
{
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int maskToByte(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    const unsigned long v = (pixel & mask) >> maskShift(mask);
    const unsigned long max = mask >> maskShift(mask);
    return int(v * 255 / max);
}

// Rows of any true-colour image as B,G,R,X (servers whose root is not 32-bit).
std::vector<uint8_t> toBgrx(XImage* image)
{
    std::vector<uint8_t> out(size_t(image->width) * size_t(image->height) * 4);
    for (int y = 0; y < image->height; ++y) {
        uint8_t* d = out.data() + size_t(y) * size_t(image->width) * 4;
        for (int x = 0; x < image->width; ++x, d += 4) {
            const unsigned long p = XGetPixel(image, x, y);
            d[0] = uint8_t(maskToByte(p, image->blue_mask));
            d[1] = uint8_t(maskToByte(p, image->green_mask));
            d[2] = uint8_t(maskToByte(p, image->red_mask));
            d[3] = 0;
        }
    }
    return out;
}

}  // namespace

struct X11ScreenGrabber::Impl {
    DisplayPtr display;
    Window root = 0;
    Visual* visual = nullptr;
    int depth = 0;
    bool shmAvailable = false;
    bool shmRefused = false;
    ShmSegment segment;
    BorrowedXImagePtr shmImage;  // header over the segment for the current size
    bool fixesAvailable = false;
    int fixesEventBase = 0;
    bool pointerDirty = true;
    bool followingPointer = false;  // cursor-change notifications selected
    unsigned long pointerSerial = 0;
    PointerImage pointer;
    int pointerReads = 0;

    bool rootSize(int& w, int& h)
    {
        Window r = 0;
        int x = 0, y = 0;
        unsigned int uw = 0, uh = 0, border = 0, dep = 0;
        if (!XGetGeometry(display.get(), root, &r, &x, &y, &uw, &uh, &border, &dep))
            return false;
        w = int(uw);
        h = int(uh);
        return true;
    }

    // The header for a w x h shared-memory grab, (re)making the segment when it
    // is too small. Null when shared memory cannot be used.
    XImage* shmImageFor(int w, int h)
    {
        if (!shmAvailable || shmRefused)
            return nullptr;
        if (shmImage && shmImage->width == w && shmImage->height == h)
            return shmImage.get();
        shmImage.reset();
        BorrowedXImagePtr header(XShmCreateImage(display.get(), visual, unsigned(depth), ZPixmap, nullptr,
                                                 segment.info(), unsigned(w), unsigned(h)));
        if (!header) {
            shmRefused = true;
            return nullptr;
        }
        const size_t bytes = size_t(header->bytes_per_line) * size_t(h);
        if (!segment.valid() || segment.size() < bytes) {
            // One segment, grown when a larger rectangle needs it (with some room
            // so a frame dragged wider does not reallocate on every step).
            header.reset();
            const size_t want = bytes + bytes / 4;
            if (!segment.create(display.get(), want)) {
                shmRefused = true;
                return nullptr;
            }
            header.reset(XShmCreateImage(display.get(), visual, unsigned(depth), ZPixmap, nullptr,
                                         segment.info(), unsigned(w), unsigned(h)));
            if (!header) {
                shmRefused = true;
                return nullptr;
            }
        }
        header->data = segment.info()->shmaddr;
        shmImage = std::move(header);
        return shmImage.get();
    }

    // Pointer-change notifications on or off. While they are off the pointer
    // image may change unseen, so it is read afresh when they come back on.
    void followPointer(bool on)
    {
        if (!fixesAvailable || on == followingPointer)
            return;
        XFixesSelectCursorInput(display.get(), root, on ? XFixesDisplayCursorNotifyMask : 0);
        followingPointer = on;
        pointerDirty = true;
        if (!on) {
            XSync(display.get(), False);
            drainEvents();
        }
    }

    // Takes the pointer-change notifications queued so far.
    void drainEvents()
    {
        Display* dpy = display.get();
        while (XPending(dpy) > 0) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (fixesAvailable && ev.type == fixesEventBase + XFixesCursorNotify) {
                const auto* cn = reinterpret_cast<const XFixesCursorNotifyEvent*>(&ev);
                if (cn->cursor_serial != pointerSerial)
                    pointerDirty = true;
            }
        }
    }

    // The pointer position in screen pixels; refreshes the pointer image when
    // the displayed pointer changed since the last read.
    bool pointerState(int& x, int& y)
    {
        Display* dpy = display.get();
        if (fixesAvailable && pointerDirty) {
            std::unique_ptr<XFixesCursorImage, XFreeDeleter> img(XFixesGetCursorImage(dpy));
            if (img) {
                ++pointerReads;
                pointerSerial = img->cursor_serial;
                pointerDirty = false;
                pointer.width = img->width;
                pointer.height = img->height;
                const size_t n = size_t(img->width) * size_t(img->height);
                pointer.argb.resize(n);
                for (size_t i = 0; i < n; ++i)  // one long per pixel, 32 bits used
                    pointer.argb[i] = uint32_t(img->pixels[i] & 0xFFFFFFFFu);
                x = img->x;
                y = img->y;
                return true;
            }
        }
        Window rootRet = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        if (!XQueryPointer(dpy, root, &rootRet, &child, &rx, &ry, &wx, &wy, &mask))
            return false;  // pointer on another screen
        x = rx;
        y = ry;
        return true;
    }
};

std::unique_ptr<X11ScreenGrabber> X11ScreenGrabber::open(std::string* reason, const char* displayName)
{
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name) {
        if (reason)
            *reason = "no X display (DISPLAY is not set)";
        return nullptr;
    }
    DisplayPtr display(XOpenDisplay(name));
    if (!display) {
        if (reason)
            *reason = std::string("cannot open X display ") + name;
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    const int screen = DefaultScreen(display.get());
    impl->root = RootWindow(display.get(), screen);
    impl->visual = DefaultVisual(display.get(), screen);
    impl->depth = DefaultDepth(display.get(), screen);
    int major = 0, minor = 0;
    Bool pixmaps = False;
    impl->shmAvailable = XShmQueryVersion(display.get(), &major, &minor, &pixmaps);
    int errorBase = 0;
    // Pointer changes are followed only while a grab draws the pointer.
    impl->fixesAvailable = XFixesQueryExtension(display.get(), &impl->fixesEventBase, &errorBase);
    impl->display = std::move(display);
    return std::unique_ptr<X11ScreenGrabber>(new X11ScreenGrabber(std::move(impl)));
}

X11ScreenGrabber::X11ScreenGrabber(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

X11ScreenGrabber::~X11ScreenGrabber()
{
    if (d) {
        d->shmImage.reset();
        d->segment.release();  // before the connection closes
    }
}

bool X11ScreenGrabber::usesSharedMemory() const
{
    return d->shmAvailable && !d->shmRefused;
}

void X11ScreenGrabber::disableSharedMemory()
{
    d->shmImage.reset();
    d->segment.release();
    d->shmRefused = true;
}

int X11ScreenGrabber::pointerImageReads() const
{
    return d->pointerReads;
}

bool X11ScreenGrabber::followsPointerChanges() const
{
    return d->followingPointer;
}

void X11ScreenGrabber::recordingEnded()
{
    d->followPointer(false);
}

int X11ScreenGrabber::screenWidth() const
{
    int w = 0, h = 0;
    return d->rootSize(w, h) ? w : 0;
}

int X11ScreenGrabber::screenHeight() const
{
    int w = 0, h = 0;
    return d->rootSize(w, h) ? h : 0;
}

bool X11ScreenGrabber::grab(const GrabRect& rect, int mouseTrackMode, RasterImage& out)
{
    out.destroy();
    const int64_t w64 = int64_t(rect.right) - rect.left;
    const int64_t h64 = int64_t(rect.bottom) - rect.top;
    if (w64 <= 0 || h64 <= 0 || w64 > kMaxImageSide || h64 > kMaxImageSide)
        return false;
    const int w = int(w64);
    const int h = int(h64);
    Display* dpy = d->display.get();
    d->drainEvents();
    int rootW = 0, rootH = 0;
    if (!d->rootSize(rootW, rootH))
        return false;
    // The part of the rectangle that lies on the screen.
    const int cl = std::max(rect.left, 0);
    const int ct = std::max(rect.top, 0);
    const int cr = std::min(rect.right, rootW);
    const int cb = std::min(rect.bottom, rootH);
    // The full-size frame, black where the rectangle lies off the screen.
    auto blackFrame = [&out, w, h] {
        if (!out.create(w, h, 24))
            return false;
        for (int y = 0; y < h; ++y)
            std::memset(out.row(y), 0, out.stride());
        return true;
    };
    if (cl >= cr || ct >= cb) {
        // Nothing of it is on the screen (the pointer track is still drawn).
        if (!blackFrame())
            return false;
        drawPointerTrackOf(out, rect, mouseTrackMode);
        return true;
    }
    const int cw = cr - cl;
    const int ch = cb - ct;

    XImage* image = nullptr;
    XImagePtr ownedImage;
    if (XImage* shm = d->shmImageFor(cw, ch)) {
        XErrorTrap trap(dpy);
        if (XShmGetImage(dpy, d->root, shm, cl, ct, AllPlanes)) {
            trap.replied();
            image = shm;
        } else {
            qWarning("screen grab: XShmGetImage failed");
        }
    }
    if (!image) {
        XErrorTrap trap(dpy);
        ownedImage.reset(XGetImage(dpy, d->root, cl, ct, unsigned(cw), unsigned(ch), AllPlanes, ZPixmap));
        if (ownedImage)
            trap.replied();
        image = ownedImage.get();
    }
    if (!image) {
        qWarning("screen grab: cannot read the screen");
        return false;
    }

    RasterImage grabbed;
    bool ok = false;
    if (isBgrx(image)) {
        ok = grabbed.fromScreenBits(reinterpret_cast<const uint8_t*>(image->data), cw, ch,
                                    size_t(image->bytes_per_line));
    } else {
        const std::vector<uint8_t> bgrx = toBgrx(image);
        ok = grabbed.fromScreenBits(bgrx.data(), cw, ch, size_t(cw) * 4);
    }
    if (!ok)
        return false;

    if (cw == w && ch == h) {
        out = std::move(grabbed);
    } else {
        if (!blackFrame())
            return false;
        const int dx = cl - rect.left;
        const int dy = ct - rect.top;
        for (int y = 0; y < ch; ++y)
            std::memcpy(out.row(dy + y) + size_t(dx) * 3, grabbed.row(y), size_t(cw) * 3);
    }

    drawPointerTrackOf(out, rect, mouseTrackMode);
    return true;
}

void X11ScreenGrabber::drawPointerTrackOf(RasterImage& frame, const GrabRect& rect, int mouseTrackMode)
{
    if (mouseTrackMode < 1 || mouseTrackMode > 4)
        return;
    d->followPointer(true);
    int px = 0, py = 0;
    if (d->pointerState(px, py))
        drawPointerTrack(frame, mouseTrackMode, rect.left, rect.top, px, py,
                         d->fixesAvailable ? &d->pointer : nullptr);
}
