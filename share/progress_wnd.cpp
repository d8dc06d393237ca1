// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/progress_wnd.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>

#include "platform/control_id.h"
#include "platform/profile_store.h"
#include "platform/sys_colors.h"

namespace {

constexpr int kMargin = 10;
// Width and height of a 3-D edge, as the classic window frame draws it.
constexpr int kEdge = 2;

// a + b limited to the int range.
int addClamped(int a, int b)
{
    return int(std::clamp<int64_t>(int64_t(a) + int64_t(b), INT_MIN, INT_MAX));
}

const char* const kSettingsGroup = "ProgressWndSettings";

// Without a parent the window belongs to the application's main window: the
// active modal window, else the active window.
QWidget* mainWindow()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

// Catches the quit request of the application while events are pumped.
class QuitCatcher : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
            seen = true;
            return true;  // posted again once the pumping has stopped
        }
        return false;
    }
};

}  // namespace

CProgressWnd::CProgressWnd() = default;

CProgressWnd::CProgressWnd(QWidget* parent, const QString& title, bool smooth)
{
    Create(parent, title, smooth);
}

CProgressWnd::~CProgressWnd()
{
    DestroyWindow();
}

bool CProgressWnd::Create(QWidget* parent, const QString& title, bool smooth)
{
    if (wnd_)
        return true;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    if (!parent)
        parent = mainWindow();
    title_ = title;
    smooth_ = smooth;

    // A captioned popup without a system menu, owned by the parent.
    auto* wnd = new QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    wnd->setAttribute(Qt::WA_DeleteOnClose, false);
    wnd->setWindowTitle(title_);
    wnd->setCursor(Qt::BusyCursor);
    QPalette pal = wnd->palette();
    pal.setColor(QPalette::Window, sysQColor(SysColor::ButtonFace));
    wnd->setPalette(pal);
    wnd->setAutoFillBackground(true);
    wnd->setFont(QApplication::font("QMessageBox"));
    wnd->setGeometry(0, 0, 390, 130);

    auto* label = new QLabel(wnd);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    setControlId(label, kLabelId);

    auto* bar = new QProgressBar(wnd);
    bar->setTextVisible(false);
    bar->setRange(lower_, upper_ > lower_ ? upper_ : lower_ + 1);
    bar->setValue(lower_);
    setControlId(bar, kBarId);

    auto* button = new QPushButton(cancelText_, wnd);
    button->setEnabled(false);  // the operations cannot be cancelled
    button->setFocusPolicy(Qt::TabFocus);
    setControlId(button, kCancelId);
    QObject::connect(button, &QPushButton::clicked, wnd, [this] { cancelled_ = true; });

    wnd_ = wnd;
    label_ = label;
    bar_ = bar;
    cancel_ = button;

    layout();
    placeWindow(parent);
    Show();
    return true;
}

void CProgressWnd::layout()
{
    if (!wnd_)
        return;
    const QFontMetrics fm(wnd_->font());
    QStringList lines;
    for (int i = 0; i < qMax(1, textLines_); ++i)
        lines << QStringLiteral("M");
    const int labelHeight = fm.boundingRect(QRect(0, 0, 10000, 10000), 0, lines.join(QChar('\n'))).height();
    const QRect labelRect(kMargin, kMargin, textWidth_, labelHeight);

    const QSize buttonSize(fm.horizontalAdvance(cancelText_ + QStringLiteral("  ")) + 4 * kEdge,
                           fm.height() + 3 * kEdge);
    const int labelRight = kMargin + textWidth_;  // exclusive
    const int labelBottom = kMargin + labelHeight;
    const QRect buttonRect(labelRight - buttonSize.width(), labelBottom + kMargin, buttonSize.width(),
                           buttonSize.height());
    const int barLeft = kMargin;
    const int barRight = buttonRect.x() - kMargin;  // exclusive
    const QRect barRect(barLeft, buttonRect.y() + kEdge, qMax(0, barRight - barLeft),
                        qMax(0, buttonSize.height() - 2 * kEdge));

    wnd_->resize(textWidth_ + 2 * kMargin, labelHeight + buttonSize.height() + 3 * kMargin);
    bar_->setGeometry(barRect);
    cancel_->setGeometry(buttonRect);
    label_->setGeometry(labelRect);
}

void CProgressWnd::placeWindow(QWidget* owner)
{
    if (persistentPosition_) {
        QSettings store = profileStore();
        store.beginGroup(QLatin1String(kSettingsGroup));
        const int x = store.value(QStringLiteral("X"), -1).toInt();
        const int y = store.value(QStringLiteral("Y"), -1).toInt();
        store.endGroup();
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize screenSize = screen ? screen->geometry().size() : QSize();
        if (x >= 0 && x < screenSize.width() && y >= 0 && y < screenSize.height()) {
            wnd_->move(x, y);
            return;
        }
    }
    // Centre on the owner; on the screen when there is no visible owner.
    QRect area;
    if (owner && owner->window()->isVisible())
        area = owner->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    const QRect frame = wnd_->frameGeometry();
    wnd_->move(area.x() + (area.width() - frame.width()) / 2,
               area.y() + (area.height() - frame.height()) / 2);
}

void CProgressWnd::savePosition() const
{
    if (!wnd_ || !persistentPosition_)
        return;
    QSettings store = profileStore();
    store.beginGroup(QLatin1String(kSettingsGroup));
    store.setValue(QStringLiteral("X"), wnd_->x());
    store.setValue(QStringLiteral("Y"), wnd_->y());
    store.endGroup();
}

bool CProgressWnd::BeginModal(const QString& title, bool smooth)
{
    if (!wnd_ && !Create(nullptr, title, smooth))
        return false;
    if (modal_)
        return true;  // already modal: keep the window disabled the first time
    // Disable the highest window of the owner chain that is still enabled.
    QWidget* top = wnd_;
    while (top->parentWidget() && top->parentWidget()->isEnabled())
        top = top->parentWidget();
    disabled_ = top;
    top->setEnabled(false);
    wnd_->setEnabled(true);
    modal_ = true;
    return true;
}

void CProgressWnd::endModal()
{
    modal_ = false;
    if (disabled_)
        disabled_->setEnabled(true);
    disabled_ = nullptr;
}

void CProgressWnd::DestroyWindow()
{
    savePosition();
    endModal();
    if (wnd_) {
        wnd_->hide();
        delete wnd_.data();
    }
    wnd_ = nullptr;
}

void CProgressWnd::SetRange(int lower, int upper, int step)
{
    lower_ = lower;
    upper_ = upper;
    step_ = step;
    if (bar_) {
        // An empty range shows an empty bar.
        bar_->setRange(lower, upper > lower ? upper : lower + 1);
        bar_->setValue(qBound(bar_->minimum(), position_, bar_->maximum()));
    }
}

void CProgressWnd::updatePosition(int position)
{
    position_ = position;
    int percent = 0;
    if (lower_ < upper_)
        percent = int(double(position_ - lower_) * 100.0 / (double(upper_) - double(lower_)) + 0.5);
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        if (wnd_)
            wnd_->setWindowTitle(QStringLiteral("%1 [%2%]").arg(title_).arg(percent));
    }
    if (bar_)
        bar_->setValue(qBound(bar_->minimum(), position_, bar_->maximum()));
}

int CProgressWnd::SetPos(int position)
{
    if (!wnd_)
        return position_;
    Show();
    const int previous = position_;
    updatePosition(position);
    return previous;
}

int CProgressWnd::OffsetPos(int delta)
{
    if (!wnd_)
        return position_;
    Show();
    const int previous = position_;
    updatePosition(addClamped(position_, delta));
    return previous;
}

int CProgressWnd::StepIt()
{
    if (!wnd_)
        return position_;
    Show();
    const int previous = position_;
    updatePosition(addClamped(position_, step_));
    return previous;
}

int CProgressWnd::SetStep(int step)
{
    const int previous = step_;
    step_ = step;
    if (wnd_) {
        Show();
        updatePosition(position_);
    }
    return previous;
}

void CProgressWnd::SetText(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    const QString text = QString::vasprintf(format, ap);
    va_end(ap);
    SetText(text);
}

void CProgressWnd::SetText(const QString& text)
{
    if (label_)
        label_->setText(text.left(kMaxTextChars));
}

void CProgressWnd::Clear()
{
    if (!wnd_)
        return;
    SetText(QString());
    SetPos(0);
    cancelled_ = false;
    wnd_->repaint();
}

void CProgressWnd::Show()
{
    if (!wnd_ || wnd_->isVisible())
        return;
    wnd_->setAttribute(Qt::WA_ShowWithoutActivating, true);
    wnd_->show();
    wnd_->repaint();
}

void CProgressWnd::Hide()
{
    if (wnd_ && wnd_->isVisible())
        wnd_->hide();
}

void CProgressWnd::SetWindowSize(int textLines, int textWidth)
{
    textLines_ = textLines;
    textWidth_ = textWidth;
    layout();
}

void CProgressWnd::PumpMessages()
{
    if (!wnd_)
        return;
    if (modal_ && !wnd_->isActiveWindow()) {
        wnd_->activateWindow();
        wnd_->setFocus(Qt::OtherFocusReason);
    }
    if (cancelled_)
        return;
    QuitCatcher catcher;
    QCoreApplication::instance()->installEventFilter(&catcher);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(&catcher);
    if (catcher.seen)
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
}

bool CProgressWnd::Advance()
{
    if (wnd_) {
        StepIt();
        PumpMessages();
    }
    return !cancelled_;
}
