// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/cell_edit_hook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "platform/window_message.h"
#include "res/resource.h"

namespace {
const char kHookName[] = "vexlo-cell-edit-hook";
}  // namespace

CellEditHook::CellEditHook()
{
    setObjectName(QLatin1String(kHookName));
}

CellEditHook::~CellEditHook() = default;

CellEditHook* CellEditHook::instance()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    return app->findChild<CellEditHook*>(QLatin1String(kHookName), Qt::FindDirectChildrenOnly);
}

void CellEditHook::acquire()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    CellEditHook* hook = instance();
    if (!hook) {
        hook = new CellEditHook;
        hook->setParent(app);
        app->installEventFilter(hook);
    }
    ++hook->uses_;
}

void CellEditHook::release()
{
    CellEditHook* hook = instance();
    if (!hook)
        return;
    if (--hook->uses_ > 0)
        return;
    QCoreApplication::instance()->removeEventFilter(hook);
    delete hook;
}

void CellEditHook::registerEditor(QWidget* editor, QObject* list)
{
    if (!editor)
        return;
    const bool fresh = editors_.find(editor) == editors_.end();
    editors_[editor] = Entry{list, false};
    if (fresh)
        connect(editor, &QObject::destroyed, this, [this, editor] { editors_.erase(editor); });
}

bool CellEditHook::unregisterEditor(QWidget* editor)
{
    auto it = editors_.find(editor);
    if (it == editors_.end())
        return false;
    editors_.erase(it);
    disconnect(editor, &QObject::destroyed, this, nullptr);
    return true;
}

bool CellEditHook::isRegistered(const QWidget* editor) const
{
    return editors_.find(editor) != editors_.end();
}

bool CellEditHook::dropDownOpen(const QWidget* editor) const
{
    auto it = editors_.find(editor);
    return it != editors_.end() && it->second.dropDownOpen;
}

void CellEditHook::setDropDownOpen(const QWidget* editor, bool open)
{
    auto it = editors_.find(editor);
    if (it != editors_.end())
        it->second.dropDownOpen = open;
}

bool CellEditHook::isInside(const QWidget* widget, const QWidget* ancestor)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

QWidget* CellEditHook::editorContaining(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto it = editors_.find(w);
        if (it != editors_.end())
            return const_cast<QWidget*>(it->first);
    }
    return nullptr;
}

void CellEditHook::endEdit(QWidget* editor, bool commit)
{
    auto it = editors_.find(editor);
    if (it == editors_.end())
        return;
    QObject* list = it->second.list;
    if (list)
        sendWindowMessage(list, UM_END_CELL_EDIT, commit ? 1 : 0, 0);
    else
        editors_.erase(it);  // its list is gone
}

bool CellEditHook::eventFilter(QObject* watched, QEvent* event)
{
    if (editors_.empty() || !watched->isWidgetType())
        return false;
    QWidget* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
                return false;
            QWidget* editor = editorContaining(widget);
            if (!editor)
                return false;
            endEdit(editor, key != Qt::Key_Escape);
            return true;
        }
        case QEvent::FocusOut: {
            QWidget* editor = editorContaining(widget);
            if (!editor || dropDownOpen(editor))
                return false;
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
                return false;  // the editor's own menu or pop-up
            QWidget* next = QApplication::focusWidget();
            if (!next || !isInside(next, editor))
                endEdit(editor, true);
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel: {
            if (event->type() != QEvent::Wheel) {
                const Qt::MouseButton b = static_cast<QMouseEvent*>(event)->button();
                if (b != Qt::LeftButton && b != Qt::RightButton && b != Qt::MiddleButton)
                    return false;
            }
            if (editorContaining(widget))
                return false;
            std::vector<QWidget*> ending;
            for (const auto& [editor, entry] : editors_) {
                if (entry.dropDownOpen)
                    continue;
                const auto* combo = qobject_cast<const QComboBox*>(editor);
                if (combo && combo->view() && combo->view()->isVisible())
                    continue;
                ending.push_back(const_cast<QWidget*>(editor));
            }
            for (QWidget* editor : ending)
                endEdit(editor, true);
            return false;
        }
        case QEvent::Show:
        case QEvent::Hide:
            if (widget->windowType() == Qt::Popup) {
                if (QWidget* editor = editorContaining(widget->parentWidget()))
                    setDropDownOpen(editor, event->type() == QEvent::Show);
            }
            return false;
        default:
            return false;
    }
}
