// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The colour picker on a real X server: the screen pixel sampler reads what is
// on the screen, and the open pop-up follows the real pointer wherever it is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QTest>

#include "widgets/color_palette_popup.h"
#include "widgets/color_picker_button.h"
#include "widgets/screen_pixel_sampler.h"

namespace {

class Solid : public QWidget {
public:
    explicit Solid(QColor c) : colour_(c)
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), colour_);
    }

private:
    QColor colour_;
};

bool waitFor(const std::function<bool()>& done, int ms = 3000)
{
    for (int waited = 0; waited < ms && !done(); waited += 20)
        QTest::qWait(20);
    return done();
}

}  // namespace

TEST(ScreenPixelSampler, ReadsTheScreen)
{
    Solid a(QColor(12, 200, 99));
    a.setGeometry(300, 200, 60, 40);
    Solid b(QColor(250, 5, 130));
    b.setGeometry(360, 200, 60, 40);
    a.show();
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    ASSERT_TRUE(waitFor([] { return sampleScreenPixel(QPoint(330, 220)) == makeColorRef(12, 200, 99); }));
    EXPECT_EQ(sampleScreenPixel(QPoint(359, 239)), makeColorRef(12, 200, 99));
    EXPECT_EQ(sampleScreenPixel(QPoint(360, 200)), makeColorRef(250, 5, 130));
    EXPECT_FALSE(sampleScreenPixel(QPoint(-5000, -5000)).has_value());
}

TEST(ColorPickerButton, PopupFollowsTheRealPointer)
{
    Solid target(QColor(40, 80, 160));
    target.setGeometry(600, 500, 80, 80);
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.setGeometry(100, 100, 60, 30);
    auto* button = new CColorPickerButton(&window);
    button->setGeometry(0, 0, 60, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    button->setColor(makeColorRef(1, 1, 1));
    button->openPopup();
    CColorPalettePopup* popup = button->popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    EXPECT_EQ(popup->pos(), QPoint(100, 129));

    // Far outside the pop-up, over the target window.
    QCursor::setPos(640, 540);
    EXPECT_TRUE(waitFor([&] { return popup->candidate() == makeColorRef(40, 80, 160); }));
    // Over a grid cell of the pop-up.
    QCursor::setPos(popup->mapToGlobal(QPoint(1 + 10 + 4, 1 + 60 + 4)));
    EXPECT_TRUE(waitFor([&] { return popup->candidate() == makeColorRef(153, 0, 0); }));
    popup->close();
}
