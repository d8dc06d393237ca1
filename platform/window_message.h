// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Window messages between threads: a QEvent carrying (id, wParam, lParam),
// posted to a receiving QObject (usually a window) from any thread and handled
// on the receiver's thread. The ids are the UM_* values of res/resource.h.
//
// Sender side (any thread):
//     postWindowMessage(receiver, UM_FRAME_COUNT, 0, count);
// The receiver must outlive every thread that may still post to it (owners stop
// and join their threads before the receiving window goes away).
//
// Receiver side, either by hand in event():
//     bool CMyDlg::event(QEvent* e)
//     {
//         if (const WindowMessage* m = asWindowMessage(e)) { ...switch (m->id())...; return true; }
//         return QDialog::event(e);
//     }
// or with a WindowMessageMap filled in the constructor:
//     messages_.on(UM_PROGRESS, [this](intptr_t, intptr_t l) { onProgress(int(l)); });
//     bool CMyDlg::event(QEvent* e) { return messages_.dispatch(e) || QDialog::event(e); }
#include <QEvent>
#include <cstdint>
#include <functional>
#include <unordered_map>

class QObject;

class WindowMessage : public QEvent {
public:
    WindowMessage(int id, intptr_t wParam, intptr_t lParam);
    ~WindowMessage() override;

    // The event type every WindowMessage carries (registered once with Qt).
    static QEvent::Type eventType();

    int id() const { return id_; }
    intptr_t wParam() const { return wParam_; }
    intptr_t lParam() const { return lParam_; }

private:
    int id_;
    intptr_t wParam_;
    intptr_t lParam_;
};

// Queues the message for the receiver's thread (PostMessage). Safe from any
// thread; messages from one thread to one receiver arrive in the order posted.
// A null receiver is refused (false, logged).
bool postWindowMessage(QObject* receiver, int id, intptr_t wParam = 0, intptr_t lParam = 0);

// Delivers the message at once on the calling thread (SendMessage); only from
// the receiver's own thread. Returns whether the receiver accepted the event.
bool sendWindowMessage(QObject* receiver, int id, intptr_t wParam = 0, intptr_t lParam = 0);

// The event as a WindowMessage, or null when it is some other event.
const WindowMessage* asWindowMessage(const QEvent* event);

// A message map: handlers by id, for a receiver's event().
class WindowMessageMap {
public:
    using Handler = std::function<void(intptr_t wParam, intptr_t lParam)>;

    void on(int id, Handler handler);  // replaces an earlier handler for the id
    // True when the event is a WindowMessage whose id has a handler (which ran);
    // false otherwise, so the caller passes it on to its base class.
    bool dispatch(QEvent* event) const;

private:
    std::unordered_map<int, Handler> handlers_;
};
