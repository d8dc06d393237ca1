// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CMyBitmapButton: scaling by the UI text scale, size from the picture, hover
// picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "widgets/my_bitmap_button.h"

namespace {

QImage solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

void sendMove(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QRgb pixelAt(QWidget& w, QPoint p)
{
    return w.grab().toImage().pixel(p) | 0xFF000000u;
}

}  // namespace

TEST(MyBitmapButton, ScaledByTheTextScaleAndResizedInPlace)
{
    QWidget window;
    auto* b = new CMyBitmapButton(&window);
    b->setGeometry(7, 9, 10, 10);
    ASSERT_TRUE(b->loadBitmaps(1.5, solid(40, 30, Qt::red), solid(40, 30, Qt::blue)));
    EXPECT_EQ(b->geometry(), QRect(7, 9, 60, 45));
    EXPECT_EQ(b->hoverBitmap().size(), QSize(60, 45));

    ASSERT_TRUE(b->loadBitmaps(1.0000005, solid(40, 30, Qt::red)));
    EXPECT_EQ(b->size(), QSize(40, 30)) << "within 0.000001 of 1: as it is";
    EXPECT_TRUE(b->hoverBitmap().isNull());

    ASSERT_TRUE(b->loadBitmaps(2.0, solid(7, 5, Qt::red)));
    EXPECT_EQ(b->size(), QSize(14, 10));
    // Truncated: 7 x 1.5 = 10.5 -> 10.
    EXPECT_EQ(CMyBitmapButton::scaledBitmap(solid(7, 5, Qt::red), 1.5).size(), QSize(10, 7));
    // The smooth scaler keeps a flat colour flat.
    const QImage scaled = CMyBitmapButton::scaledBitmap(solid(40, 30, QColor(10, 200, 30)), 1.5);
    EXPECT_EQ(scaled.pixel(30, 22) | 0xFF000000u, qRgb(10, 200, 30));
}

TEST(MyBitmapButton, RefusesWhatCannotBeScaled)
{
    CMyBitmapButton b;
    ASSERT_TRUE(b.loadBitmaps(1.0, solid(20, 10, Qt::red)));
    EXPECT_FALSE(b.loadBitmaps(1.5, QImage()));
    EXPECT_FALSE(b.loadBitmaps(0.0, solid(20, 10, Qt::red)));
    EXPECT_FALSE(b.loadBitmaps(100000.0, solid(20, 10, Qt::red)));
    EXPECT_EQ(b.size(), QSize(20, 10)) << "keeps what it had";
}

TEST(MyBitmapButton, HoverPicture)
{
    QWidget window;
    window.resize(100, 100);
    auto* b = new CMyBitmapButton(&window);
    b->loadBitmaps(1.0, solid(20, 10, Qt::red), solid(20, 10, Qt::blue));
    window.show();
    EXPECT_EQ(pixelAt(*b, QPoint(5, 5)), qRgb(255, 0, 0));
    sendMove(b, QPoint(5, 5));
    EXPECT_TRUE(b->isHovered());
    EXPECT_EQ(pixelAt(*b, QPoint(5, 5)), qRgb(0, 0, 255));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->isHovered());
    EXPECT_EQ(pixelAt(*b, QPoint(5, 5)), qRgb(255, 0, 0));

    // Without a hover picture the normal one stays.
    b->loadBitmaps(1.0, solid(20, 10, Qt::green));
    sendMove(b, QPoint(5, 5));
    EXPECT_TRUE(b->isHovered());
    EXPECT_EQ(pixelAt(*b, QPoint(5, 5)), qRgb(0, 255, 0));
}
