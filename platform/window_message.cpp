// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/window_message.h"

#include <QCoreApplication>
#include <QObject>
#include <QtGlobal>

#if defined(__SANITIZE_THREAD__)
#define VEXLO_TSAN_ANNOTATE 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VEXLO_TSAN_ANNOTATE 1
#endif
#endif
#if defined(VEXLO_TSAN_ANNOTATE)
#include <sanitizer/tsan_interface.h>
#endif

namespace {
// Qt's event queue is locked with futexes ThreadSanitizer does not see (Qt is
// not instrumented): the post and the delivery of a message are told to it
// here, so the message's fields, written on the sending thread and read on the
// receiving one, are not reported as a race.
void announcePosted([[maybe_unused]] const QEvent* event)
{
#if defined(VEXLO_TSAN_ANNOTATE)
    __tsan_release(const_cast<QEvent*>(event));
#endif
}

void announceDelivered([[maybe_unused]] const QEvent* event)
{
#if defined(VEXLO_TSAN_ANNOTATE)
    __tsan_acquire(const_cast<QEvent*>(event));
#endif
}
}  // namespace

WindowMessage::WindowMessage(int id, intptr_t wParam, intptr_t lParam)
    : QEvent(eventType()), id_(id), wParam_(wParam), lParam_(lParam)
{
}

WindowMessage::~WindowMessage() = default;

QEvent::Type WindowMessage::eventType()
{
    // Registered once; the initialisation of a function-local static is thread-safe.
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool postWindowMessage(QObject* receiver, int id, intptr_t wParam, intptr_t lParam)
{
    if (!receiver) {
        qWarning("window message %d posted to no receiver: dropped", id);
        return false;
    }
    // postEvent takes ownership and is safe from any thread.
    auto* message = new WindowMessage(id, wParam, lParam);
    announcePosted(message);
    QCoreApplication::postEvent(receiver, message);
    return true;
}

bool sendWindowMessage(QObject* receiver, int id, intptr_t wParam, intptr_t lParam)
{
    if (!receiver)
        return false;
    WindowMessage message(id, wParam, lParam);
    return QCoreApplication::sendEvent(receiver, &message);
}

const WindowMessage* asWindowMessage(const QEvent* event)
{
    if (!event)
        return nullptr;
    announceDelivered(event);
    if (event->type() != WindowMessage::eventType())
        return nullptr;
    return static_cast<const WindowMessage*>(event);
}

void WindowMessageMap::on(int id, Handler handler)
{
    handlers_[id] = std::move(handler);
}

bool WindowMessageMap::dispatch(QEvent* event) const
{
    const WindowMessage* message = asWindowMessage(event);
    if (!message)
        return false;
    const auto it = handlers_.find(message->id());
    if (it == handlers_.end() || !it->second)
        return false;
    it->second(message->wParam(), message->lParam());
    event->accept();
    return true;
}
