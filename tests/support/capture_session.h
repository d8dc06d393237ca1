// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the end-to-end tests on a real X server do again and again: a window
// with a known picture under the capture frame, the capture window shown and
// a recording made with its buttons, the modal dialogs and pop-up menus that
// the program runs answered from timers, and the GIF it wrote decoded.
#include <gtest/gtest.h>

#include <QColor>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class CCaptureDlg;
class RasterImage;

namespace testenv {

// A frameless window over `geometry` showing `colours` in turn, the next one
// every 100 ms: over the whole window, or over its left half with the right
// half white.
class ColourCycleWindow : public QWidget {
public:
    enum class Fill { Whole, LeftHalf };
    ColourCycleWindow(QRect geometry, std::vector<QColor> colours, Fill fill = Fill::Whole);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    std::vector<QColor> colours_;
    Fill fill_;
    size_t step_ = 0;
};

// The screen rectangle the capture frame records.
QRect captureArea(const CCaptureDlg& capture);

// Shows the capture window (application modal when `modal`, as the program
// runs it) and waits until it is on the screen.
::testing::AssertionResult showCapture(CCaptureDlg& capture, bool modal = true);

// Shows a window, waits until it is on the screen, then `settleMs` more.
::testing::AssertionResult showAndSettle(QWidget& window, int settleMs = 200);

// Start, until the recording holds `frames` frames, then Stop, until the state
// is Stopped; all with the capture window's own button.
::testing::AssertionResult recordThenStop(CCaptureDlg& capture, int frames, int timeoutMs = 15000);

// Every frame of a GIF file, decoded into `image`.
::testing::AssertionResult decodeAllFrames(RasterImage& image, const QString& path);

// Answers the modal windows the program runs: every 20 ms, while started, the
// handler registered for the type of the visible active modal window runs.
// A handler does not run again while it is running, but the others do, so a
// handler may open a dialog that another answers.
class ModalDriver {
public:
    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Every time a T is the active modal window.
    template <typename T>
    void on(std::function<void(T&)> handler)
    {
        add(
            matcher<T>(), [handler](QWidget* w) { handler(*static_cast<T*>(w)); }, false);
    }
    // The first time only.
    template <typename T>
    void once(std::function<void(T&)> handler)
    {
        add(
            matcher<T>(), [handler](QWidget* w) { handler(*static_cast<T*>(w)); }, true);
    }
    void start();
    void stop();

private:
    struct Handler {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
        bool once = false;
        bool done = false;
        bool running = false;
    };
    template <typename T>
    static std::function<bool(QWidget*)> matcher()
    {
        return [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; };
    }
    void add(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> run, bool once);
    void poll();

    QTimer timer_;
    std::vector<Handler> handlers_;
};

// Runs `open`, which opens a pop-up menu and returns once it has closed, and
// clicks the item whose data is `id` in that menu, or in its submenu at
// `submenuIndex` when the menu itself has no such item. True when it was
// clicked.
bool pickFromMenu(const std::function<void()>& open, int id, int submenuIndex = -1);

}  // namespace testenv
