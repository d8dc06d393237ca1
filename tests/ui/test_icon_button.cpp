// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CIconButton: colours and their return codes, drawing by state, icons, check
// mode, hover tracking, double clicks and the tooltip.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "platform/sys_colors.h"
#include "widgets/icon_button.h"
#include "widgets/icon_button_colors.h"
#include "widgets/icon_button_look.h"

namespace {

QRgb rgbOf(ColorRef c)
{
    return qRgb(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

QRgb pixelAt(QWidget& w, QPoint p)
{
    return w.grab().toImage().pixel(p) | 0xFF000000u;
}

void sendMove(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void sendLeave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

QIcon solidIcon(QColor c, int size = 16)
{
    QPixmap pm(size, size);
    pm.fill(c);
    return QIcon(pm);
}

const ColorRef kRed = makeColorRef(255, 0, 0);
const ColorRef kBlue = makeColorRef(0, 0, 255);

}  // namespace

TEST(IconButtonColors, ReturnCodesAndClampedShade)
{
    IconButtonColors colors;
    colors.setDefaults(makeColorRef(1, 2, 3), makeColorRef(4, 5, 6));
    const IconButtonColors before = colors;

    EXPECT_EQ(colors.setColor(6, kRed), IconButtonColors::InvalidIndex);
    EXPECT_EQ(colors.setColor(-1, kRed), IconButtonColors::InvalidIndex);
    EXPECT_EQ(colors.offsetColor(6, 10), IconButtonColors::InvalidIndex);
    EXPECT_EQ(colors.offsetColor(6, 999), IconButtonColors::InvalidIndex);  // the index is checked first
    EXPECT_EQ(colors.offsetColor(0, 256), IconButtonColors::BadParam);
    EXPECT_EQ(colors.offsetColor(0, -256), IconButtonColors::BadParam);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(colors.color(i), before.color(i)) << i;

    struct Case {
        ColorRef start;
        int shade;
        ColorRef expected;
    };
    const Case cases[] = {
        {makeColorRef(10, 200, 250), 30, makeColorRef(15, 205, 255)},
        {makeColorRef(10, 200, 250), -30, makeColorRef(0, 190, 240)},
        {makeColorRef(240, 240, 240), 30, makeColorRef(255, 255, 255)},
        {makeColorRef(100, 100, 100), 255, makeColorRef(255, 255, 255)},
        {makeColorRef(100, 120, 140), -255, makeColorRef(0, 20, 40)},
        {makeColorRef(0, 128, 255), 0, makeColorRef(0, 128, 255)},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(colors.setColor(2, c.start), IconButtonColors::Ok);
        ASSERT_EQ(colors.offsetColor(2, c.shade), IconButtonColors::Ok);
        EXPECT_EQ(colors.color(2), c.expected) << std::hex << c.start << " " << std::dec << c.shade;
    }
}

TEST(IconButtonLook, StateTable)
{
    IconButtonState s;  // flat, border on, idle
    IconButtonLook l = iconButtonLook(s);
    EXPECT_EQ(l.fillIndex, 2);
    EXPECT_EQ(l.textIndex, 3);
    EXPECT_EQ(l.border, IconButtonBorder::None);
    EXPECT_FALSE(l.inIcon);
    EXPECT_FALSE(l.focusRect);

    s.focused = true;
    l = iconButtonLook(s);
    EXPECT_EQ(l.fillIndex, 4);
    EXPECT_EQ(l.textIndex, 5);
    EXPECT_FALSE(l.blackFrame);

    s.hovered = true;
    l = iconButtonLook(s);
    EXPECT_EQ(l.fillIndex, 0);
    EXPECT_EQ(l.textIndex, 1);
    EXPECT_EQ(l.border, IconButtonBorder::RaisedEdge);
    EXPECT_TRUE(l.inIcon);

    s.selected = true;
    l = iconButtonLook(s);
    EXPECT_TRUE(l.pressed);
    EXPECT_EQ(l.border, IconButtonBorder::Sunken);
    EXPECT_EQ(l.offset, 1);

    s.drawBorder = false;
    EXPECT_EQ(iconButtonLook(s).border, IconButtonBorder::None);

    IconButtonState raised;
    raised.flat = false;
    raised.isDefault = true;
    l = iconButtonLook(raised);
    EXPECT_TRUE(l.blackFrame);
    EXPECT_EQ(l.border, IconButtonBorder::Raised3D);
    raised.selected = true;
    EXPECT_EQ(iconButtonLook(raised).border, IconButtonBorder::ShadowFrame);

    // Check mode: pressed while checked, the in icon only when pressed, no offset.
    IconButtonState check;
    check.checkMode = true;
    check.hovered = true;
    EXPECT_FALSE(iconButtonLook(check).inIcon);
    check.checked = true;
    l = iconButtonLook(check);
    EXPECT_TRUE(l.pressed);
    EXPECT_TRUE(l.inIcon);
    EXPECT_EQ(l.offset, 0);
}

TEST(IconButtonLook, HoverRule)
{
    EXPECT_TRUE(hoverAfterMouseMove(true, false, false));
    EXPECT_FALSE(hoverAfterMouseMove(true, true, false));  // dragging in from outside
    EXPECT_TRUE(hoverAfterMouseMove(true, true, true));
    EXPECT_FALSE(hoverAfterMouseMove(false, false, true));
}

TEST(IconButton, DefaultsAndColourCalls)
{
    CIconButton b;
    for (int i : {0, 2, 4})
        EXPECT_EQ(b.color(i), sysColor(SysColor::ButtonFace));
    for (int i : {1, 3, 5})
        EXPECT_EQ(b.color(i), sysColor(SysColor::ButtonText));
    EXPECT_EQ(b.setColor(6, kRed), CIconButton::InvalidIndex);
    EXPECT_EQ(b.offsetColor(0, 256), CIconButton::BadParam);
    EXPECT_EQ(b.color(0), sysColor(SysColor::ButtonFace));
    EXPECT_TRUE(b.flatLook());
    EXPECT_TRUE(b.drawBorder());
    EXPECT_TRUE(b.alwaysTrack());
}

TEST(IconButton, OnlyAnInIconIsShownInEveryState)
{
    CIconButton b;
    b.resize(40, 30);
    b.setColor(0, kBlue);
    b.setColor(2, kBlue);
    b.setColor(4, kBlue);
    b.setIcons(solidIcon(Qt::green));
    EXPECT_EQ(b.inIconSize(), QSize(16, 16));
    b.show();
    const QPoint centre(20, 15);
    const QRgb green = qRgb(0, 255, 0);

    EXPECT_EQ(pixelAt(b, centre), green) << "normal";
    sendMove(&b, centre);
    ASSERT_TRUE(b.isHovered());
    EXPECT_EQ(pixelAt(b, centre), green) << "hovered";
    QTest::mousePress(&b, Qt::LeftButton, {}, centre);
    ASSERT_TRUE(b.isDown());
    EXPECT_EQ(pixelAt(b, centre), green) << "pressed";
    QTest::mouseRelease(&b, Qt::LeftButton, {}, centre);
    sendLeave(&b);
    EXPECT_EQ(pixelAt(b, centre), green) << "after leaving";

    // With an out icon the in icon is only for hover and press.
    b.setIcons(solidIcon(Qt::green), solidIcon(Qt::magenta));
    EXPECT_EQ(pixelAt(b, centre), qRgb(255, 0, 255));
    sendMove(&b, centre);
    EXPECT_EQ(pixelAt(b, centre), green);
}

TEST(IconButton, IconBesideTextAndPressedOffset)
{
    CIconButton b(QStringLiteral("OK"));
    b.resize(80, 30);
    b.setIcons(solidIcon(Qt::green, 10));
    b.show();
    // 3 pixels from the left, centred vertically: (3..12, 10..19).
    EXPECT_EQ(pixelAt(b, QPoint(3, 10)), qRgb(0, 255, 0));
    EXPECT_NE(pixelAt(b, QPoint(2, 10)), qRgb(0, 255, 0));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(40, 15));
    // Moved by (1, 1) while pressed.
    EXPECT_NE(pixelAt(b, QPoint(3, 10)), qRgb(0, 255, 0));
    EXPECT_EQ(pixelAt(b, QPoint(13, 20)), qRgb(0, 255, 0));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(40, 15));
}

TEST(IconButton, CheckModeStaysPressedUntilClickedAgain)
{
    CIconButton b;
    b.setCheckMode(true);
    b.resize(40, 30);
    b.setColor(0, kRed);   // hovered or pressed
    b.setColor(2, kBlue);  // otherwise
    b.setColor(4, kBlue);  // focused
    b.show();
    const QPoint inside(20, 15);
    const QPoint body(5, 5);
    EXPECT_EQ(pixelAt(b, body), rgbOf(kBlue));

    QTest::mouseClick(&b, Qt::LeftButton, {}, inside);
    sendLeave(&b);
    EXPECT_EQ(b.getCheck(), 1);
    EXPECT_FALSE(b.isHovered());
    EXPECT_EQ(pixelAt(b, body), rgbOf(kRed)) << "checked stays drawn pressed";
    // Sunken edge: shadow at the top-left.
    EXPECT_EQ(pixelAt(b, QPoint(0, 0)), sysQColor(SysColor::ButtonShadow).rgb());

    QTest::mouseClick(&b, Qt::LeftButton, {}, inside);
    sendLeave(&b);
    EXPECT_EQ(b.getCheck(), 0);
    EXPECT_EQ(pixelAt(b, body), rgbOf(kBlue));

    b.setCheck(2);
    EXPECT_EQ(b.getCheck(), 1);
    b.setCheck(3);
    EXPECT_EQ(b.getCheck(), 0);

    CIconButton plain;
    plain.setCheck(1);
    EXPECT_EQ(plain.getCheck(), 0);
}

TEST(IconButton, DoubleClickCountsAsSecondClick)
{
    CIconButton b;
    b.resize(40, 30);
    b.show();
    QSignalSpy clicks(&b, &QAbstractButton::clicked);
    const QPoint p(20, 15);
    QTest::mousePress(&b, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, p);
    QTest::mouseDClick(&b, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, p);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(IconButton, HoverTracking)
{
    QWidget window;
    window.resize(200, 100);
    auto* b = new CIconButton(&window);
    b->setGeometry(10, 10, 40, 30);
    b->setColor(0, kRed);
    b->setColor(2, kBlue);
    b->setColor(4, kBlue);
    window.show();

    sendMove(b, QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(b->isHovered()) << "dragging in from outside does not hover";
    sendMove(b, QPoint(5, 5));
    EXPECT_TRUE(b->isHovered());
    EXPECT_EQ(pixelAt(*b, QPoint(5, 5)), rgbOf(kRed));
    sendMove(b, QPoint(5, 5), Qt::LeftButton);
    EXPECT_TRUE(b->isHovered()) << "a hovered button stays hovered while the button is held";
    sendMove(b, QPoint(100, 5));  // grabbed pointer outside
    EXPECT_FALSE(b->isHovered());

    sendMove(b, QPoint(5, 5));
    sendLeave(b);
    EXPECT_FALSE(b->isHovered());

    // Deactivating the window ends the hover; an inactive window still tracks it.
    QWidget other;
    other.resize(50, 50);
    other.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    sendMove(b, QPoint(5, 5));
    ASSERT_TRUE(b->isHovered());
    QApplication::setActiveWindow(&other);
    for (int i = 0; i < 100 && window.isActiveWindow(); ++i)
        QTest::qWait(10);
    ASSERT_FALSE(window.isActiveWindow());
    EXPECT_FALSE(b->isHovered());
    sendMove(b, QPoint(5, 5));
    EXPECT_TRUE(b->isHovered());
    b->setEnabled(false);
    EXPECT_FALSE(b->isHovered());
    b->setEnabled(true);

    sendMove(b, QPoint(5, 5));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(b, &out);
    EXPECT_FALSE(b->isHovered());

    b->setAlwaysTrack(false);
    sendMove(b, QPoint(5, 5));
    EXPECT_FALSE(b->isHovered()) << "inactive window, tracking only when active";
}

TEST(IconButton, DisabledTextDrawnTwice)
{
    CIconButton b(QStringLiteral("MMMM"));
    QFont f = b.font();
    f.setPixelSize(20);
    b.setFont(f);
    b.resize(120, 40);
    b.setEnabled(false);
    b.show();
    const QImage img = b.grab().toImage();
    const QRgb shadow = sysQColor(SysColor::ButtonShadow).rgb();
    const QRgb highlight = sysQColor(SysColor::ButtonHighlight).rgb();
    bool sawShadow = false;
    bool sawHighlight = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y) | 0xFF000000u;
            sawShadow |= p == shadow;
            sawHighlight |= p == highlight;
        }
    EXPECT_TRUE(sawShadow);
    EXPECT_TRUE(sawHighlight || shadow == highlight);
}

TEST(IconButton, Tooltip)
{
    CIconButton b;
    EXPECT_TRUE(b.toolTip().isEmpty());
    b.setTooltipText(QStringLiteral("增加一条字幕"));
    EXPECT_EQ(b.toolTip(), QStringLiteral("增加一条字幕"));
    b.activateTooltip(false);
    EXPECT_TRUE(b.toolTip().isEmpty());
    EXPECT_EQ(b.tooltipText(), QStringLiteral("增加一条字幕"));
    b.setTooltipText(QString(200, QLatin1Char('x')), true);
    EXPECT_TRUE(b.toolTip().contains(QStringLiteral("width=\"400\"")));
}

// A disabled button draws its icon greyed, as disabled text is drawn: its
// shape in the shadow colour, with the highlight colour one pixel right and
// down. That holds for a white glyph on a transparent ground (the preview's
// buttons) as for an opaque dark picture; enabled, the icon shows as it is.
TEST(IconButton, DisabledIconDrawnGreyed)
{
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            glyph.setPixel(x, y, qRgb(255, 255, 255));
    const QRgb shadow = sysQColor(SysColor::ButtonShadow).rgb();
    const QRgb highlight = sysQColor(SysColor::ButtonHighlight).rgb();
    struct Case {
        const char* name;
        QIcon icon;
        QRgb colour;  // what the icon shows at its centre when enabled
        int edgeRow;  // the row just below the shape
    };
    const Case cases[] = {{"white glyph", QIcon(QPixmap::fromImage(glyph)), qRgb(255, 255, 255), 26},
                          {"dark picture", solidIcon(QColor(0, 0, 200)), qRgb(0, 0, 200), 28},
                          {"red picture", solidIcon(QColor(255, 0, 0)), qRgb(255, 0, 0), 28}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CIconButton b;
        b.setIcons(c.icon);
        b.setColor(IconButtonColors::BackgroundOut, makeColorRef(65, 111, 181));
        b.resize(40, 40);
        b.show();
        // The icon lies at (12, 12) .. (27, 27).
        EXPECT_EQ(pixelAt(b, QPoint(20, 20)), c.colour);
        b.setEnabled(false);
        EXPECT_EQ(pixelAt(b, QPoint(20, 20)), shadow | 0xFF000000u);
        EXPECT_EQ(pixelAt(b, QPoint(20, c.edgeRow)), highlight | 0xFF000000u) << "highlight below the shape";
    }
}
