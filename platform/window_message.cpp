// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/window_message.h"

#include <QCoreApplication>
#include <QObject>
#include <QtGlobal>

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
    QCoreApplication::postEvent(receiver, new WindowMessage(id, wParam, lParam));
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
    if (!event || event->type() != WindowMessage::eventType())
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
