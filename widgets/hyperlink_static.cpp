// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/hyperlink_static.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>

#include "platform/sys_colors.h"
#include "platform/ui_prompts.h"
#include "widgets/hyperlink_rules.h"

namespace {
QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}
}  // namespace

CHyperlinkStatic::CHyperlinkStatic(QWidget* parent) : CHyperlinkStatic(QString(), parent) {}

CHyperlinkStatic::CHyperlinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    hoverTimer_.setInterval(kHoverTimerMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &CHyperlinkStatic::checkPointer);
    opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    applyLook();
}

void CHyperlinkStatic::setUrl(const QString& url)
{
    url_ = url;
    if (QLabel::text().isEmpty())
        QLabel::setText(url);
    setTooltipEnabled(tooltipEnabled_);
    refit();
}

QString CHyperlinkStatic::url() const
{
    return url_.isEmpty() ? QLabel::text() : url_;
}

void CHyperlinkStatic::setText(const QString& text)
{
    QLabel::setText(text.isEmpty() ? url_ : text);
    setTooltipEnabled(tooltipEnabled_);
    refit();
}

void CHyperlinkStatic::setLink(const QString& text, const QString& url, ColorRef colour, bool tooltip)
{
    url_ = url;
    tooltipEnabled_ = tooltip;
    setColors(colour, colour, colour);
    setText(text);
}

void CHyperlinkStatic::setColors(ColorRef link, ColorRef visited, ColorRef hover)
{
    link_ = link & 0xFFFFFFu;
    visited_ = visited & 0xFFFFFFu;
    hover_ = hover == kHighlightColor ? sysColor(SysColor::Highlight) : (hover & 0xFFFFFFu);
    applyLook();
}

QColor CHyperlinkStatic::currentTextColor() const
{
    if (over_)
        return qColor(hover_);
    return qColor(visitedFlag_ ? visited_ : link_);
}

void CHyperlinkStatic::setUnderline(UnderlineMode mode)
{
    underlineMode_ = mode;
    applyLook();
}

void CHyperlinkStatic::setVisited(bool on)
{
    visitedFlag_ = on;
    applyLook();
}

void CHyperlinkStatic::setFitToText(bool on)
{
    fit_ = on;
    refit();
}

void CHyperlinkStatic::setTooltipEnabled(bool on)
{
    tooltipEnabled_ = on;
    setToolTip(on ? url() : QString());
}

void CHyperlinkStatic::setOpener(Opener opener)
{
    opener_ = std::move(opener);
}

void CHyperlinkStatic::applyLook()
{
    if (applying_)
        return;
    applying_ = true;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, currentTextColor());
    pal.setColor(QPalette::Window, sysQColor(SysColor::ButtonFace));
    setPalette(pal);
    QFont f = font();
    const bool underlined = underlineMode_ == UnderlineAlways || (underlineMode_ == UnderlineHover && over_);
    if (f.underline() != underlined) {
        f.setUnderline(underlined);
        setFont(f);
    }
    applying_ = false;
    update();
}

void CHyperlinkStatic::refit()
{
    if (!fit_ || QLabel::text().isEmpty())
        return;
    const QFontMetrics fm(font());
    const QSize textSize = fm.size(0, QLabel::text());
    const QRect fitted = hyperlink::fitRectToText(geometry(), textSize, alignment());
    if (fitted != geometry())
        setGeometry(fitted);
}

void CHyperlinkStatic::pointerEntered()
{
    if (over_)
        return;
    over_ = true;
    applyLook();
    hoverTimer_.start();
}

void CHyperlinkStatic::pointerLeft()
{
    if (!over_)
        return;
    over_ = false;
    hoverTimer_.stop();
    applyLook();
}

void CHyperlinkStatic::checkPointer()
{
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        pointerLeft();
}

void CHyperlinkStatic::mouseMoveEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        pointerEntered();
    QLabel::mouseMoveEvent(event);
}

void CHyperlinkStatic::enterEvent(QEnterEvent* event)
{
    pointerEntered();
    QLabel::enterEvent(event);
}

void CHyperlinkStatic::leaveEvent(QEvent* event)
{
    pointerLeft();
    QLabel::leaveEvent(event);
}

void CHyperlinkStatic::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CHyperlinkStatic::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            openLink();
            emit clicked();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CHyperlinkStatic::showEvent(QShowEvent* event)
{
    refit();
    QLabel::showEvent(event);
}

void CHyperlinkStatic::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !applying_)
        refit();
    QLabel::changeEvent(event);
}

int CHyperlinkStatic::openLink()
{
    const QString link = url();
    const QUrl target = hyperlink::linkUrl(link);
    int result = hyperlink::precheck(target);
    if (result > 32) {
        const bool opened = opener_ ? opener_(target) : false;
        if (!opened)
            result = hyperlink::kPlatformRefused;
    }
    if (result > 32) {
        setVisited(true);
        return result;
    }
    qWarning("CHyperlinkStatic: cannot open %s (error %d)", qPrintable(link), result);
    QApplication::beep();
    promptMessageBox(this, hyperlink::failureMessage(result), QString(), MB_OK | MB_ICONWARNING);
    return result;
}
