// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CColorPickerButton and its palette pop-up: grid colours and hit-testing,
// placement kept on the screen, the eyedropper, clicks, the colour dialog and
// notification only on change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "platform/sys_colors.h"
#include "platform/ui_prompts.h"
#include "scripted_prompts.h"
#include "widgets/color_palette_layout.h"
#include "widgets/color_palette_popup.h"
#include "widgets/color_picker_button.h"
#include "widgets/eyedropper_cursor.h"

namespace {

using L = ColorPaletteLayout;

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget* w, QPoint pos)
{
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

void press(QWidget* w, QPoint pos)
{
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

void release(QWidget* w, QPoint pos)
{
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

void click(QWidget* w, QPoint pos)
{
    move(w, pos);
    press(w, pos);
    release(w, pos);
}

// Widget position of a grid cell's centre.
QPoint cellPoint(int col, int row)
{
    return QPoint(L::kBorder + col * L::kCell + 4, L::kBorder + row * L::kCell + 4);
}

QRect screenRect()
{
    return QGuiApplication::primaryScreen()->geometry();
}

struct PickerWindow {
    QWidget window;
    CColorPickerButton* button;
    explicit PickerWindow(QPoint buttonGlobal = QPoint(100, 100))
    {
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(buttonGlobal.x(), buttonGlobal.y(), 40, 22);
        button = new CColorPickerButton(&window);
        button->setGeometry(0, 0, 40, 22);
        window.show();
    }
};

}  // namespace

TEST(ColorPaletteLayout, CellColours)
{
    EXPECT_EQ(L::cellColor(1, 0), makeColorRef(0, 0, 0));
    EXPECT_EQ(L::cellColor(18, 11), makeColorRef(255, 255, 255));
    EXPECT_EQ(L::cellColor(1, 6), makeColorRef(153, 0, 0));
    EXPECT_EQ(L::cellColor(2, 0), makeColorRef(0, 51, 0));
    EXPECT_EQ(L::cellColor(1, 1), makeColorRef(0, 0, 51));
    const int greys[] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
    for (int row = 0; row < 12; ++row)
        EXPECT_EQ(L::cellColor(0, row), makeColorRef(greys[row], greys[row], greys[row])) << row;
    // Columns 1..18 hold each of the 216 web colours once.
    QSet<ColorRef> web;
    for (int row = 0; row < 12; ++row)
        for (int col = 1; col < 19; ++col) {
            const ColorRef c = L::cellColor(col, row);
            EXPECT_EQ(colorRefRed(c) % 51, 0);
            EXPECT_EQ(colorRefGreen(c) % 51, 0);
            EXPECT_EQ(colorRefBlue(c) % 51, 0);
            web.insert(c);
        }
    EXPECT_EQ(web.size(), 216);
}

TEST(ColorPaletteLayout, HitTestingAndText)
{
    EXPECT_EQ(L::cellAt(QPoint(0, 0)), 0);
    EXPECT_EQ(L::cellAt(QPoint(8, 8)), 0);
    EXPECT_EQ(L::cellAt(QPoint(9, 0)), -1) << "grid line";
    EXPECT_EQ(L::cellAt(QPoint(0, 9)), -1) << "grid line";
    EXPECT_EQ(L::cellAt(QPoint(10, 10)), 1 + 19);
    EXPECT_EQ(L::cellAt(QPoint(188, 118)), 18 + 19 * 11);
    EXPECT_EQ(L::cellAt(QPoint(189, 5)), -1);
    EXPECT_EQ(L::cellAt(QPoint(5, 120)), -1) << "sample strip";
    EXPECT_EQ(L::cellAt(QPoint(-1, 5)), -1);
    EXPECT_EQ(L::hexText(makeColorRef(0x12, 0xAB, 0x3F)), QStringLiteral("#12AB3F"));
    EXPECT_EQ(L::hexText(makeColorRef(0, 0, 0)), QStringLiteral("#000000"));
}

TEST(ColorPaletteLayout, PopupKeptOnScreen)
{
    const QRect screen(0, 0, 800, 600);
    // Under the button: left edge at its left, top at its bottom edge - 1.
    EXPECT_EQ(L::popupPosition(QRect(100, 100, 40, 22), screen), QPoint(100, 121));
    // Near the right edge: flush with it.
    EXPECT_EQ(L::popupPosition(QRect(700, 100, 40, 22), screen), QPoint(800 - 191, 121));
    EXPECT_EQ(L::popupPosition(QRect(609, 100, 40, 22), screen), QPoint(609, 121));
    EXPECT_EQ(L::popupPosition(QRect(610, 100, 40, 22), screen), QPoint(609, 121));
    // Near the bottom: up by its height.
    EXPECT_EQ(L::popupPosition(QRect(100, 560, 40, 22), screen), QPoint(100, 581 - 150));
    EXPECT_EQ(L::popupPosition(QRect(100, 430, 40, 22), screen), QPoint(100, 451 - 150));
    EXPECT_EQ(L::popupPosition(QRect(100, 429, 40, 22), screen), QPoint(100, 450));
    // A screen narrower than the pop-up: left edge 0.
    EXPECT_EQ(L::popupPosition(QRect(50, 10, 40, 22), QRect(0, 0, 100, 600)).x(), 0);
    // A second screen to the right.
    EXPECT_EQ(L::popupPosition(QRect(1900, 100, 40, 22), QRect(1024, 0, 1000, 700)), QPoint(2024 - 191, 121));
}

TEST(ColorPickerButton, InitialColourAndSetColourNotifies)
{
    PickerWindow w;
    QSignalSpy clicks(w.button, &QAbstractButton::clicked);
    w.button->setColor(makeColorRef(1, 2, 3));
    EXPECT_EQ(w.button->color(), makeColorRef(1, 2, 3));
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);
    w.button->setColor(makeColorRef(4, 5, 6), true);
    EXPECT_EQ(clicks.count(), 0) << "posted, not sent";
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
    // The swatch shows the colour.
    const QImage img = w.button->grab().toImage();
    EXPECT_EQ(img.pixel(10, 11) | 0xFF000000u, qRgb(4, 5, 6));
}

TEST(ColorPickerButton, FaceBorderAndTriangle)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(4, 5, 6));
    const QPoint triangle(32, 15);  // inside the downward triangle in the bottom-right corner
    auto at = [](const QImage& img, QPoint p) { return img.pixel(p) | 0xFF000000u; };

    QImage img = w.button->grab().toImage();
    EXPECT_EQ(at(img, QPoint(0, 0)), qRgb(255, 255, 255)) << "3-D border: white top-left";
    EXPECT_EQ(at(img, QPoint(39, 21)), sysQColor(SysColor::DarkShadow).rgb()) << "dark shadow bottom-right";
    EXPECT_EQ(at(img, triangle), qRgb(0, 0, 0)) << "black triangle when enabled";

    const QColor grey = sysQColor(SysColor::GrayText);
    ASSERT_NE(grey.rgb(), qRgb(0, 0, 0));
    w.button->setEnabled(false);
    img = w.button->grab().toImage();
    EXPECT_EQ(at(img, triangle), grey.rgb()) << "grey triangle when disabled";
    EXPECT_EQ(at(img, QPoint(10, 11)), qRgb(4, 5, 6));

    w.button->setEnabled(true);
    w.button->openPopup();
    ASSERT_TRUE(w.button->isPopupOpen());
    img = w.button->grab().toImage();
    EXPECT_EQ(at(img, QPoint(0, 0)), sysQColor(SysColor::ButtonFace).rgb()) << "no border while open";
    EXPECT_EQ(at(img, QPoint(39, 21)), sysQColor(SysColor::ButtonFace).rgb());
    w.button->popup()->close();
}

TEST(ColorPickerButton, PopupUnderTheButtonWithGridAndStrip)
{
    PickerWindow w(QPoint(100, 100));
    w.button->setColor(makeColorRef(10, 20, 30));
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(w.button->isPopupOpen());
    CColorPalettePopup* popup = w.button->popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->size(), QSize(191, 150));
    EXPECT_EQ(popup->objectName(), QStringLiteral("ColorPalette"));
    const QRect button(w.button->mapToGlobal(QPoint(0, 0)), w.button->size());
    EXPECT_EQ(popup->pos(), L::popupPosition(button, screenRect()));
    EXPECT_EQ(popup->candidate(), makeColorRef(10, 20, 30));

    const QImage img = popup->grab().toImage();
    auto at = [&](QPoint p) { return img.pixel(p) | 0xFF000000u; };
    EXPECT_EQ(at(cellPoint(1, 0)), qRgb(0, 0, 0));
    EXPECT_EQ(at(cellPoint(18, 11)), qRgb(255, 255, 255));
    EXPECT_EQ(at(cellPoint(1, 6)), qRgb(153, 0, 0));
    EXPECT_EQ(at(cellPoint(0, 10)), qRgb(23, 23, 23));
    // The sample rectangle shows the candidate.
    EXPECT_EQ(at(QPoint(1 + 20, 1 + 133)), qRgb(10, 20, 30));
    popup->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.button->isPopupOpen());
}

TEST(ColorPickerButton, PopupNearTheRightAndBottomEdgesStaysOnScreen)
{
    const QRect screen = screenRect();
    PickerWindow w(QPoint(screen.right() - 45, screen.bottom() - 30));
    w.button->openPopup();
    CColorPalettePopup* popup = w.button->popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->x() + popup->width(), screen.x() + screen.width()) << "flush with the right edge";
    EXPECT_LE(popup->y() + popup->height(), screen.y() + screen.height());
    popup->close();
}

TEST(ColorPickerButton, ChoosingAGridCellNotifiesOnlyOnChange)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(1, 1, 1));
    QSignalSpy clicks(w.button, &QAbstractButton::clicked);

    w.button->openPopup();
    CColorPalettePopup* popup = w.button->popup();
    ASSERT_NE(popup, nullptr);
    move(popup, cellPoint(1, 6));
    EXPECT_EQ(popup->hoveredCell(), 1 + 19 * 6);
    EXPECT_EQ(popup->candidate(), makeColorRef(153, 0, 0));
    press(popup, cellPoint(1, 6));
    release(popup, cellPoint(1, 6));
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.button->isPopupOpen());
    EXPECT_EQ(w.button->color(), makeColorRef(153, 0, 0));
    EXPECT_EQ(clicks.count(), 1);

    // The same colour again: no notification.
    w.button->openPopup();
    popup = w.button->popup();
    ASSERT_NE(popup, nullptr);
    click(popup, cellPoint(1, 6));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.button->color(), makeColorRef(153, 0, 0));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ColorPickerButton, PressAndReleaseAtDifferentPointsIsNoClick)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(1, 1, 1));
    w.button->openPopup();
    CColorPalettePopup* popup = w.button->popup();
    ASSERT_NE(popup, nullptr);
    // The release of the press that opened the pop-up is not a click either.
    release(popup, QPoint(5, -10));
    EXPECT_TRUE(w.button->isPopupOpen());
    press(popup, cellPoint(1, 0));
    move(popup, cellPoint(2, 0));
    release(popup, cellPoint(2, 0));
    EXPECT_TRUE(w.button->isPopupOpen());
    EXPECT_EQ(w.button->color(), makeColorRef(1, 1, 1));
    // A grid line is outside the grid: no hovered cell.
    move(popup, QPoint(L::kBorder + 9, L::kBorder + 5));
    EXPECT_EQ(popup->hoveredCell(), -1);
    popup->close();
}

TEST(ColorPickerButton, EyedropperSamplesTheScreenUnderThePointer)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(1, 1, 1));
    std::vector<QPoint> asked;
    w.button->setScreenSampler([&asked](const QPoint& global) -> std::optional<ColorRef> {
        asked.push_back(global);
        return makeColorRef(global.x() & 0xFF, global.y() & 0xFF, 77);
    });
    QSignalSpy clicks(w.button, &QAbstractButton::clicked);
    w.button->openPopup();
    CColorPalettePopup* popup = w.button->popup();
    ASSERT_NE(popup, nullptr);

    const QPoint outside(-60, -40);  // somewhere else on the screen
    move(popup, outside);
    ASSERT_FALSE(asked.empty());
    const QPoint global = popup->mapToGlobal(outside);
    EXPECT_EQ(asked.back(), global);
    EXPECT_EQ(popup->candidate(), makeColorRef(global.x() & 0xFF, global.y() & 0xFF, 77));
    EXPECT_EQ(popup->hoveredCell(), -1);
    // Outside the pop-up the pointer is the eyedropper; inside, the arrow.
    EXPECT_EQ(popup->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(popup->cursor().hotSpot(), QPoint(0, 15));
    move(popup, QPoint(100, 135));
    EXPECT_EQ(popup->cursor().shape(), Qt::ArrowCursor);
    // The strip itself is sampled too.
    EXPECT_EQ(asked.back(), popup->mapToGlobal(QPoint(100, 135)));

    click(popup, outside);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.button->color(), makeColorRef(global.x() & 0xFF, global.y() & 0xFF, 77));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ColorPickerButton, StripeButtonOpensTheColourDialog)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(9, 9, 9));
    QSignalSpy clicks(w.button, &QAbstractButton::clicked);
    const QPoint stripes = L::dialogButtonRect().center() + QPoint(L::kBorder, L::kBorder);
    {
        ScriptedPrompts prompts;
        prompts.answerColor(makeColorRef(200, 100, 50));
        w.button->openPopup();
        click(w.button->popup(), stripes);
        QTest::qWait(20);
        EXPECT_FALSE(w.button->isPopupOpen());
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].kind, ScriptedPrompts::Kind::Color);
        EXPECT_EQ(prompts.asked()[0].initialColor, makeColorRef(9, 9, 9));
        EXPECT_EQ(w.button->color(), makeColorRef(200, 100, 50));
        EXPECT_EQ(clicks.count(), 1);
    }
    {
        ScriptedPrompts prompts;
        prompts.answerColor(std::nullopt);
        w.button->openPopup();
        click(w.button->popup(), stripes);
        QTest::qWait(20);
        EXPECT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(w.button->color(), makeColorRef(200, 100, 50));
        EXPECT_EQ(clicks.count(), 1);
    }
}

TEST(ColorPickerButton, EscapeClosesWithoutChoosing)
{
    PickerWindow w;
    w.button->setColor(makeColorRef(1, 1, 1));
    QSignalSpy clicks(w.button, &QAbstractButton::clicked);
    w.button->openPopup();
    CColorPalettePopup* popup = w.button->popup();
    move(popup, cellPoint(3, 3));
    QTest::keyClick(popup, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.button->isPopupOpen());
    EXPECT_EQ(w.button->color(), makeColorRef(1, 1, 1));
    EXPECT_EQ(clicks.count(), 0);
}

TEST(EyedropperCursor, SizeAndHotSpot)
{
    const QImage img = eyedropperImage();
    EXPECT_EQ(img.size(), QSize(16, 16));
    EXPECT_EQ(kEyedropperHotSpot, QPoint(0, 15));
    EXPECT_EQ(qAlpha(img.pixel(0, 15)), 255) << "the tip is the hot spot";
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    const QCursor c = eyedropperCursor();
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(0, 15));
}
