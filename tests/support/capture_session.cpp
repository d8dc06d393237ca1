// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture_session.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "imaging/raster_image.h"
#include "res/resource.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace testenv {

ColourCycleWindow::ColourCycleWindow(QRect geometry, std::vector<QColor> colours, Fill fill)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint),
      colours_(std::move(colours)),
      fill_(fill)
{
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % colours_.size();
        repaint();
    });
    timer_.start(100);
}

void ColourCycleWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (fill_ == Fill::Whole) {
        p.fillRect(rect(), colours_[step_]);
        return;
    }
    p.fillRect(QRect(0, 0, width() / 2, height()), colours_[step_]);
    p.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), Qt::white);
}

QRect captureArea(const CCaptureDlg& capture)
{
    const CaptureRect r = capture.controller().captureRect();
    return QRect(r.left, r.top, r.width(), r.height());
}

::testing::AssertionResult showCapture(CCaptureDlg& capture, bool modal)
{
    if (modal)
        capture.setWindowModality(Qt::ApplicationModal);
    capture.show();
    if (!QTest::qWaitForWindowExposed(&capture))
        return ::testing::AssertionFailure() << "the capture window did not come up";
    QTest::qWait(100);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult showAndSettle(QWidget& window, int settleMs)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return ::testing::AssertionFailure() << "the window did not come up";
    QTest::qWait(settleMs);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult recordThenStop(CCaptureDlg& capture, int frames, int timeoutMs)
{
    CaptureController& c = capture.controller();
    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    if (c.state() != CaptureState::Recording)
        return ::testing::AssertionFailure() << "Start did not start recording";
    if (!waitUntil([&] { return c.frameCount() >= frames; }, timeoutMs))
        return ::testing::AssertionFailure()
               << "only " << c.frameCount() << " of " << frames << " frames recorded";
    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    if (!waitUntil([&] { return c.state() == CaptureState::Stopped; }))
        return ::testing::AssertionFailure() << "Stop did not stop the recording";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult decodeAllFrames(RasterImage& image, const QString& path)
{
    image.setRetrieveAllFrames(true);
    if (!image.decodeFile(QFile::encodeName(path).toStdString(), ImageTypeGif))
        return ::testing::AssertionFailure() << path.toStdString() << ": " << image.lastError();
    return ::testing::AssertionSuccess();
}

ModalDriver::ModalDriver()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::add(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> run, bool once)
{
    Handler h;
    h.matches = std::move(matches);
    h.run = std::move(run);
    h.once = once;
    handlers_.push_back(std::move(h));
}

void ModalDriver::start()
{
    timer_.start(20);
}

void ModalDriver::stop()
{
    timer_.stop();
}

void ModalDriver::poll()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    for (size_t i = 0; i < handlers_.size(); ++i) {
        if (handlers_[i].done || handlers_[i].running || !handlers_[i].matches(w))
            continue;
        handlers_[i].running = true;
        handlers_[i].done = handlers_[i].once;
        // A timer does not fire again while its own slot runs: started anew, it
        // also answers the dialogs this handler opens.
        const bool active = timer_.isActive();
        timer_.stop();
        if (active)
            timer_.start(20);
        handlers_[i].run(w);
        handlers_[i].running = false;
        return;
    }
}

bool pickFromMenu(const std::function<void()>& open, int id, int submenuIndex)
{
    bool done = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || done)
            return;
        const QList<QAction*> actions = menu->actions();
        for (QAction* a : actions) {
            if (!a->isSeparator() && a->data().toInt() == id) {
                done = true;
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        }
        if (submenuIndex >= 0 && submenuIndex < actions.size() && actions[submenuIndex]->menu()) {
            QTest::mouseMove(menu, menu->actionGeometry(actions[submenuIndex]).center());
            menu->setActiveAction(actions[submenuIndex]);
        }
    });
    timer.start(50);
    open();
    return done;
}

}  // namespace testenv
