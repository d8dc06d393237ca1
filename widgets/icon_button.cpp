// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/icon_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextDocument>
#include <QToolTip>

#include "platform/sys_colors.h"

namespace {

constexpr int kTooltipMaxWidth = 400;
constexpr int kIconLeftMargin = 3;

QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

QSize naturalIconSize(const QIcon& icon)
{
    if (icon.isNull())
        return QSize();
    const QList<QSize> sizes = icon.availableSizes();
    if (!sizes.isEmpty())
        return sizes.first();
    return icon.actualSize(QSize(32, 32));
}

// The icon's shape in one colour: its opaque pixels, and for a picture without
// transparency its darker pixels (light ones count as background). This is
// the greyed look of a disabled control, drawn like disabled text: the shape
// in the highlight colour one pixel right and down, then in the shadow colour.
QImage iconShape(const QImage& icon, const QColor& colour)
{
    const QImage src = icon.convertToFormat(QImage::Format_ARGB32);
    const bool hasTransparency = icon.hasAlphaChannel();
    QImage out(src.size(), QImage::Format_ARGB32);
    out.setDevicePixelRatio(icon.devicePixelRatio());
    const QRgb on = colour.rgb() | 0xFF000000u;
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const bool shape = hasTransparency ? qAlpha(in[x]) >= 128 : qGray(in[x]) < 192;
            line[x] = shape ? on : 0u;
        }
    }
    return out;
}

// Plain text wider than the tooltip's limit is wrapped at that width.
QString tooltipMarkup(const QString& text)
{
    if (text.isEmpty() || Qt::mightBeRichText(text))
        return text;
    const QFontMetrics fm(QToolTip::font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    if (widest <= kTooltipMaxWidth)
        return text;
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(kTooltipMaxWidth)
        .arg(escaped);
}

void hLine(QPainter& p, int x1, int x2, int y, const QColor& c)
{
    p.fillRect(QRect(QPoint(x1, y), QPoint(x2, y)), c);
}

void vLine(QPainter& p, int x, int y1, int y2, const QColor& c)
{
    p.fillRect(QRect(QPoint(x, y1), QPoint(x, y2)), c);
}

// Top and left in one colour, bottom and right in another, on the rectangle's
// outermost pixels.
void edge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    hLine(p, r.left(), r.right(), r.top(), topLeft);
    vLine(p, r.left(), r.top(), r.bottom(), topLeft);
    hLine(p, r.left(), r.right(), r.bottom(), bottomRight);
    vLine(p, r.right(), r.top(), r.bottom(), bottomRight);
}

void frame(QPainter& p, const QRect& r, const QColor& c)
{
    edge(p, r, c, c);
}

}  // namespace

CIconButton::CIconButton(QWidget* parent) : CIconButton(QString(), parent) {}

CIconButton::CIconButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, true);
    setDefaultColors(false);
}

void CIconButton::setCheckMode(bool on)
{
    checkMode_ = on;
    setCheckable(on);
    update();
}

void CIconButton::setCheck(int value)
{
    if (!checkMode_)
        return;
    setChecked(value == 1 || value == 2);
    update();
}

int CIconButton::getCheck() const
{
    return (checkMode_ && isChecked()) ? 1 : 0;
}

int CIconButton::setIcons(const QIcon& in, const QIcon& out)
{
    inIcon_ = in;
    outIcon_ = out;
    inSize_ = naturalIconSize(in);
    outSize_ = naturalIconSize(out);
    updateGeometry();
    update();
    return Ok;
}

int CIconButton::setColor(int index, ColorRef colour, bool repaint)
{
    const int result = colors_.setColor(index, colour);
    if (result == Ok && repaint)
        update();
    return result;
}

int CIconButton::offsetColor(int index, int shade, bool repaint)
{
    const int result = colors_.offsetColor(index, shade);
    if (result == Ok && repaint)
        update();
    return result;
}

void CIconButton::setDefaultColors(bool repaint)
{
    colors_.setDefaults(sysColor(SysColor::ButtonFace), sysColor(SysColor::ButtonText));
    if (repaint)
        update();
}

void CIconButton::setFlatLook(bool on, bool repaint)
{
    flat_ = on;
    if (repaint)
        update();
}

void CIconButton::setDrawBorder(bool on, bool repaint)
{
    drawBorder_ = on;
    if (repaint)
        update();
}

void CIconButton::setTooltipText(const QString& text, bool activate)
{
    tooltip_ = text;
    activateTooltip(activate);
}

void CIconButton::activateTooltip(bool activate)
{
    tooltipActive_ = activate;
    setToolTip(activate ? tooltipMarkup(tooltip_) : QString());
}

IconButtonState CIconButton::drawState() const
{
    IconButtonState s;
    s.checkMode = checkMode_;
    s.selected = isDown();
    s.checked = checkMode_ && isChecked();
    s.focused = hasFocus();
    s.disabled = !isEnabled();
    s.hovered = hovered_;
    s.isDefault = isDefault();
    s.flat = flat_;
    s.drawBorder = drawBorder_;
    return s;
}

QSize CIconButton::sizeHint() const
{
    const QFontMetrics fm(font());
    QSize icon = inSize_.expandedTo(outSize_);
    const QSize textSize = text().isEmpty() ? QSize() : fm.size(Qt::TextShowMnemonic, text());
    int w = icon.width() + textSize.width() + 2 * kIconLeftMargin + 8;
    int h = std::max(icon.height(), textSize.height()) + 8;
    return QSize(w, h);
}

void CIconButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const IconButtonState state = drawState();
    const IconButtonLook look = iconButtonLook(state);

    QRect r = rect();
    // Background.
    if (look.blackFrame) {
        frame(p, r, Qt::black);
        r.adjust(1, 1, -1, -1);
    }
    p.fillRect(r, qColor(colors_.color(look.fillIndex)));

    // Border.
    const QColor shadow = sysQColor(SysColor::ButtonShadow);
    const QColor highlight = sysQColor(SysColor::ButtonHighlight);
    switch (look.border) {
        case IconButtonBorder::None:
            break;
        case IconButtonBorder::ShadowFrame:
            frame(p, r, shadow);
            break;
        case IconButtonBorder::Sunken:
            edge(p, r, shadow, highlight);
            break;
        case IconButtonBorder::Raised3D:
            edge(p, r, highlight, sysQColor(SysColor::DarkShadow));
            edge(p, r.adjusted(1, 1, -1, -1), sysQColor(SysColor::Light), shadow);
            break;
        case IconButtonBorder::RaisedEdge:
            edge(p, r, highlight, shadow);
            break;
    }

    // Icon.
    const QString label = text();
    QRect textArea = r;
    const QIcon& icon = (look.inIcon || outIcon_.isNull()) ? inIcon_ : outIcon_;
    const QSize iconSize = (&icon == &inIcon_) ? inSize_ : outSize_;
    if (!icon.isNull() && iconSize.isValid()) {
        QPoint at;
        if (!label.isEmpty()) {
            at = QPoint(r.left() + kIconLeftMargin, r.top() + (r.height() - iconSize.height()) / 2);
            textArea.setLeft(at.x() + iconSize.width());
        } else {
            at = QPoint(r.left() + (r.width() - iconSize.width()) / 2,
                        r.top() + (r.height() - iconSize.height()) / 2);
        }
        at += QPoint(look.offset, look.offset);
        const QPixmap pm = icon.pixmap(iconSize, devicePixelRatioF());
        if (state.disabled) {
            const QImage image = pm.toImage();
            p.drawImage(QRect(at + QPoint(1, 1), iconSize),
                        iconShape(image, sysQColor(SysColor::ButtonHighlight)));
            p.drawImage(QRect(at, iconSize), iconShape(image, sysQColor(SysColor::ButtonShadow)));
        } else {
            p.drawPixmap(QRect(at, iconSize), pm);
        }
    }

    // Text: measured, then the measured block centred in its area.
    if (!label.isEmpty()) {
        const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic;
        p.setFont(font());
        const QRect bound = p.fontMetrics().boundingRect(QRect(0, 0, std::max(1, textArea.width()), 100000),
                                                         flags | Qt::AlignLeft, label);
        QRect block(0, 0, bound.width(), bound.height());
        block.moveCenter(textArea.center());
        block.translate(look.offset, look.offset);
        const int drawFlags = flags | Qt::AlignHCenter | Qt::AlignTop;
        if (state.disabled) {
            p.setPen(highlight);
            p.drawText(block.translated(1, 1), drawFlags, label);
            p.setPen(shadow);
            p.drawText(block, drawFlags, label);
        } else {
            p.setPen(qColor(colors_.color(look.textIndex)));
            p.drawText(block, drawFlags, label);
        }
    }

    if (look.focusRect) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(3, 3, -3, -3);
        option.backgroundColor = qColor(colors_.color(look.fillIndex));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

bool CIconButton::tracksNow() const
{
    return alwaysTrack_ || (window() && window()->isActiveWindow());
}

void CIconButton::updateHover(bool overButton, bool leftHeld)
{
    const bool now = tracksNow() && isEnabled() && hoverAfterMouseMove(overButton, leftHeld, hovered_);
    if (now != hovered_) {
        hovered_ = now;
        update();
    }
}

void CIconButton::endHover()
{
    if (hovered_) {
        hovered_ = false;
        update();
    }
}

void CIconButton::mouseMoveEvent(QMouseEvent* event)
{
    updateHover(rect().contains(event->position().toPoint()), event->buttons() & Qt::LeftButton);
    QPushButton::mouseMoveEvent(event);
}

void CIconButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click counts as a second single click.
    mousePressEvent(event);
}

void CIconButton::enterEvent(QEnterEvent* event)
{
    updateHover(rect().contains(event->position().toPoint()), QApplication::mouseButtons() & Qt::LeftButton);
    QPushButton::enterEvent(event);
}

void CIconButton::leaveEvent(QEvent* event)
{
    endHover();
    QPushButton::leaveEvent(event);
}

void CIconButton::focusOutEvent(QFocusEvent* event)
{
    endHover();
    QPushButton::focusOutEvent(event);
}

void CIconButton::hideEvent(QHideEvent* event)
{
    endHover();
    QPushButton::hideEvent(event);
}

void CIconButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
        case QEvent::ActivationChange:
            if (!isActiveWindow())
                endHover();
            break;
        case QEvent::EnabledChange:
            // Qt hands the keyboard focus of a disabled widget to the next control.
            if (!isEnabled())
                endHover();
            break;
        default:
            break;
    }
    QPushButton::changeEvent(event);
}

bool CIconButton::event(QEvent* event)
{
    switch (event->type()) {
        case QEvent::ApplicationPaletteChange:
        case QEvent::ThemeChange:
            setDefaultColors(true);
            break;
        case QEvent::UngrabMouse:
            endHover();
            break;
        default:
            break;
    }
    return QPushButton::event(event);
}
