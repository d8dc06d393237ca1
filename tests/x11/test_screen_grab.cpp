// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Grabbing a real X screen (run under xvfb-run): pixels of a test window,
// both read paths, clamping, the pointer track with the pointer image from the
// server, a recording of a window that changes colour every frame, and
// `vexlo record`.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <climits>
#include <fstream>
#include <sstream>

#include "capture/worker_thread.h"
#include "imaging/raster_image.h"
#include "platform/window_message.h"
#include "platform/x11_screen_grabber.h"
#include "res/resource.h"
#include "test_env.h"
#include "wait_until.h"

namespace {
using testenv::waitUntil;

// A frameless window filled with one colour.
class SolidWindow : public QWidget {
public:
    SolidWindow(QRect geometry, QColor colour)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint),
          colour_(colour)
    {
        setGeometry(geometry);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void setColour(QColor c)
    {
        colour_ = c;
        repaint();
    }
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), colour_);
    }

private:
    QColor colour_;
};

bool sameColour(const RgbQuad& q, QColor c)
{
    return q.red == c.red() && q.green == c.green() && q.blue == c.blue();
}

// Every pixel of the image is colour c.
bool allPixels(const RasterImage& img, QColor c)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!sameColour(img.getColor(x, y), c))
                return false;
    return true;
}

std::unique_ptr<X11ScreenGrabber> openGrabber()
{
    std::string why;
    auto g = X11ScreenGrabber::open(&why);
    EXPECT_TRUE(g) << why;
    return g;
}

// Shows the window and waits until the screen shows its colour.
void showAndWait(SolidWindow& w, X11ScreenGrabber& grabber)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect g = w.geometry();
    RasterImage img;
    ASSERT_TRUE(waitUntil([&] {
        return grabber.grab(GrabRect{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()}, 0, img) &&
               allPixels(img, w.colour());
    }));
}

uint8_t blended(int dst, int src)
{
    return uint8_t((dst * 155 + src * 100) / 255);
}

}  // namespace

TEST(ScreenGrab, PixelsThroughSharedMemoryAndXGetImage)
{
    auto grabber = openGrabber();
    ASSERT_TRUE(grabber);
    EXPECT_TRUE(grabber->usesSharedMemory());
    EXPECT_EQ(grabber->screenWidth(), 1920);
    SolidWindow w(QRect(100, 120, 200, 150), QColor(12, 200, 77));
    showAndWait(w, *grabber);

    RasterImage img;
    ASSERT_TRUE(grabber->grab(GrabRect{150, 150, 250, 200}, 0, img));
    EXPECT_EQ(img.width(), 100);
    EXPECT_EQ(img.height(), 50);
    EXPECT_EQ(img.depth(), 24);
    EXPECT_TRUE(allPixels(img, w.colour()));
    // A larger rectangle after a smaller one (the segment grows), then smaller again.
    ASSERT_TRUE(grabber->grab(GrabRect{0, 0, 1920, 1080}, 0, img));
    EXPECT_TRUE(sameColour(img.getColor(100, 120), w.colour()));
    EXPECT_TRUE(sameColour(img.getColor(299, 269), w.colour()));
    EXPECT_FALSE(sameColour(img.getColor(300, 120), w.colour()));
    ASSERT_TRUE(grabber->grab(GrabRect{100, 120, 101, 121}, 0, img));
    EXPECT_TRUE(allPixels(img, w.colour()));

    grabber->disableSharedMemory();
    EXPECT_FALSE(grabber->usesSharedMemory());
    ASSERT_TRUE(grabber->grab(GrabRect{150, 150, 250, 200}, 0, img));
    EXPECT_TRUE(allPixels(img, w.colour()));
}

TEST(ScreenGrab, RectangleIsClampedToTheScreen)
{
    auto grabber = openGrabber();
    ASSERT_TRUE(grabber);
    SolidWindow w(QRect(1880, 1040, 40, 40), QColor(250, 10, 10));
    showAndWait(w, *grabber);
    RasterImage img;
    ASSERT_TRUE(grabber->grab(GrabRect{1900, 1060, 1940, 1100}, 0, img));
    ASSERT_EQ(img.width(), 40);
    ASSERT_EQ(img.height(), 40);
    EXPECT_TRUE(sameColour(img.getColor(0, 0), w.colour()));
    EXPECT_TRUE(sameColour(img.getColor(19, 19), w.colour()));
    EXPECT_EQ(img.getColor(20, 0), (RgbQuad{0, 0, 0, 0}));  // off the screen
    EXPECT_EQ(img.getColor(0, 39), (RgbQuad{0, 0, 0, 0}));
    ASSERT_TRUE(grabber->grab(GrabRect{-10, -10, 10, 10}, 0, img));
    EXPECT_EQ(img.width(), 20);
    EXPECT_EQ(img.getColor(0, 0), (RgbQuad{0, 0, 0, 0}));
    // Wholly off the screen: a black frame all the same (with the pointer track).
    ASSERT_TRUE(grabber->grab(GrabRect{2000, 0, 2100, 100}, 0, img));
    EXPECT_EQ(img.width(), 100);
    EXPECT_EQ(img.height(), 100);
    EXPECT_EQ(img.getColor(50, 50), (RgbQuad{0, 0, 0, 0}));
    // The pointer at the screen's right edge, just left of a rectangle that
    // starts beyond it: the square's columns 1920..1938 and rows 0..20 show.
    const GrabRect beyond{1920, 0, 2020, 100};
    QCursor::setPos(1919, 1);
    ASSERT_TRUE(waitUntil([&] { return grabber->grab(beyond, 2, img) && img.getColor(15, 15).red != 0; }));
    EXPECT_EQ(img.getColor(15, 15), (RgbQuad{blended(0, 255), blended(0, 0), blended(0, 255), 0}));
    EXPECT_EQ(img.getColor(19, 15), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(img.getColor(15, 21), (RgbQuad{0, 0, 0, 0}));
    EXPECT_FALSE(grabber->grab(GrabRect{INT_MIN, 0, INT_MAX, 10}, 0, img));
    EXPECT_FALSE(img.isValid());
    EXPECT_FALSE(grabber->grab(GrabRect{10, 10, 10, 50}, 0, img));
    EXPECT_FALSE(grabber->grab(GrabRect{0, 0, 40000, 10}, 0, img));
}

TEST(ScreenGrab, PointerTrack)
{
    auto grabber = openGrabber();
    ASSERT_TRUE(grabber);
    const QColor grey(100, 100, 100);
    SolidWindow w(QRect(400, 300, 200, 200), grey);
    w.setCursor(Qt::BlankCursor);
    showAndWait(w, *grabber);
    const GrabRect rect{450, 350, 550, 450};
    QCursor::setPos(450, 350);  // the rectangle's top-left corner
    RasterImage img;
    ASSERT_TRUE(waitUntil(
        [&] { return grabber->grab(rect, 2, img) && img.getColor(0, 0).red == blended(100, 255); }));
    // A blank pointer image: only the bottom-right quarter of the square shows.
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const RgbQuad q = img.getColor(x, y);
            if (x < 20 && y < 20) {
                ASSERT_EQ(q.red, blended(100, 255)) << x << "," << y;
                ASSERT_EQ(q.green, blended(100, 0));
                ASSERT_EQ(q.blue, blended(100, 255));
            } else {
                ASSERT_TRUE(sameColour(q, grey)) << x << "," << y;
            }
        }
    }
    // The pointer image is read again only when the pointer changes.
    const int reads = grabber->pointerImageReads();
    ASSERT_TRUE(grabber->grab(rect, 3, img));
    ASSERT_TRUE(grabber->grab(rect, 4, img));
    EXPECT_EQ(grabber->pointerImageReads(), reads);
    EXPECT_EQ(img.getColor(5, 5).blue, blended(100, 0));  // yellow square

    // A visible pointer in the middle: mode 0 never shows it, mode 1 shows only it.
    w.setCursor(Qt::ArrowCursor);
    QCursor::setPos(500, 400);
    ASSERT_TRUE(waitUntil([&] {
        grabber->grab(rect, 1, img);
        return grabber->pointerImageReads() > reads && !allPixels(img, grey);
    }));
    int changed = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!sameColour(img.getColor(x, y), grey)) {
                ++changed;
                // The pointer image starts 10 pixels up and left of the pointer: (40, 40).
                EXPECT_GE(x, 40);
                EXPECT_GE(y, 40);
            }
    EXPECT_GT(changed, 10);
    EXPECT_FALSE(
        sameColour(img.getColor(50, 50), QColor(blended(100, 255), blended(100, 0), blended(100, 255))));
    ASSERT_TRUE(grabber->grab(rect, 0, img));
    EXPECT_TRUE(allPixels(img, grey));

    // Pointer changes are followed only from a grab that draws the pointer to
    // the end of the recording, so an idle program gets no notifications.
    EXPECT_TRUE(grabber->followsPointerChanges());
    grabber->recordingEnded();
    EXPECT_FALSE(grabber->followsPointerChanges());
    ASSERT_TRUE(grabber->grab(rect, 0, img));
    EXPECT_FALSE(grabber->followsPointerChanges());
    // Changes made meanwhile went unseen: the next pointer grab reads the image afresh.
    const int before = grabber->pointerImageReads();
    ASSERT_TRUE(grabber->grab(rect, 1, img));
    EXPECT_TRUE(grabber->followsPointerChanges());
    EXPECT_EQ(grabber->pointerImageReads(), before + 1);
    ASSERT_TRUE(grabber->grab(rect, 1, img));
    EXPECT_EQ(grabber->pointerImageReads(), before + 1);
}

namespace {
QColor frameColour(int n)
{
    return QColor((n * 40) % 256, 255 - (n * 30) % 256, (n * 70) % 256);
}

// Changes the window's colour to frameColour(n) after frame n was grabbed.
class ColourSwitcher : public QObject {
public:
    explicit ColourSwitcher(SolidWindow* w) : window_(w) {}
    bool event(QEvent* e) override
    {
        if (const WindowMessage* m = asWindowMessage(e)) {
            if (m->id() == UM_FRAME_COUNT) {
                count = int(m->lParam());
                window_->setColour(frameColour(count));
            } else if (m->id() == UM_CAPTURE_STOPPED) {
                stopped = true;
            }
            return true;
        }
        return QObject::event(e);
    }
    int count = 0;
    bool stopped = false;

private:
    SolidWindow* window_;
};
}  // namespace

TEST(ScreenGrab, RecordingFollowsAWindowThatChangesEveryFrame)
{
    auto grabber = openGrabber();
    ASSERT_TRUE(grabber);
    SolidWindow w(QRect(700, 200, 120, 90), frameColour(0));
    showAndWait(w, *grabber);
    QCursor::setPos(10, 10);

    ColourSwitcher switcher(&w);
    CWorkerThread worker(std::move(grabber));
    worker.setReceiver(&switcher);
    worker.SetFrameRectangle(710, 210, 810, 280, 0);
    ASSERT_TRUE(worker.startWorker());
    worker.post(UM_START_CAPTURE, 0, 1000 / 5);  // 5 frames per second
    ASSERT_TRUE(waitUntil([&] { return switcher.count >= 6; }, 10000));
    worker.post(UM_STOP_CAPTURE);
    ASSERT_TRUE(waitUntil([&] { return switcher.stopped; }));

    const FrameSequence& seq = worker.sequence();
    ASSERT_GE(seq.count(), 6);
    int previous = -1;
    int exact = 0;
    for (int i = 0; i < seq.count(); ++i) {
        const RasterImage& img = *seq.at(i)->image;
        EXPECT_EQ(seq.at(i)->delay, 20);
        ASSERT_EQ(img.width(), 100);
        ASSERT_EQ(img.height(), 70);
        // Each frame shows one colour of the series, never an older one than
        // the frame before; frame i normally shows the colour set after frame i.
        int shown = -1;
        for (int n = 0; n <= seq.count(); ++n)
            if (allPixels(img, frameColour(n)))
                shown = n;
        ASSERT_GE(shown, 0) << "frame " << i << " is not one colour of the series";
        EXPECT_GE(shown, previous);
        previous = shown;
        exact += shown == i;
    }
    // A busy machine may repaint the window late now and then.
    EXPECT_GE(exact, seq.count() / 2);
    EXPECT_GE(previous, 4);
}

TEST(ScreenGrab, RecordCommandWritesFramesAndGif)
{
    auto grabber = openGrabber();
    ASSERT_TRUE(grabber);
    SolidWindow w(QRect(50, 600, 160, 120), QColor(30, 60, 220));
    showAndWait(w, *grabber);
    grabber.reset();
    testenv::TempDir dir;
    const std::string frames = dir.file("frames");
    std::string output;
    const std::string cmd =
        testenv::vexloBin() + " record --rect 60,610,64,48 --fps 5 --seconds 1 -o " + frames;
    ASSERT_EQ(testenv::runCommand(cmd, &output), 0) << output;
    std::ifstream tsv(frames + "/frames.tsv");
    std::string line;
    int lines = 0;
    while (std::getline(tsv, line)) {
        ++lines;
        EXPECT_EQ(line, std::to_string(lines) + "\t20\t64\t48");
    }
    EXPECT_GE(lines, 3);
    EXPECT_LE(lines, 7);
    RasterImage first;
    ASSERT_TRUE(first.decodeFile(frames + "/0001.png", ImageTypePng));
    EXPECT_TRUE(sameColour(first.getColor(10, 10), w.colour()));

    const std::string gif = dir.file("out.gif");
    ASSERT_EQ(
        testenv::runCommand(
            testenv::vexloBin() + " record --rect 60,610,64,48 --seconds 1 --mouse 2 -o " + gif, &output),
        0)
        << output;
    RasterImage anim;
    ASSERT_TRUE(anim.decodeFile(gif, ImageTypeGif)) << anim.lastError();
    EXPECT_EQ(anim.width(), 64);
    EXPECT_EQ(anim.height(), 48);

    // Usage errors exit 2.
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " record --rect 1,2,3 -o " + gif + " 2>/dev/null"),
              2);
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " record --rect 0,0,10,10 --mouse 7 -o " + gif +
                                  " 2>/dev/null"),
              2);
    // Without an X display the run fails (1); the command line was right.
    EXPECT_EQ(testenv::runCommand("env -u DISPLAY " + testenv::vexloBin() + " record --rect 0,0,10,10 -o " +
                                  gif + " 2>/dev/null"),
              1);
}
