// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Ends in-place cell editing when the user turns to something else: an event
// filter on the whole application, installed while at least one editable list
// exists (a use count), that watches every event of the user-interface thread.
//
// With an editor registered (editor widget -> its list), UM_END_CELL_EDIT is
// sent to the list
//   - with 1 for Enter and 0 for Escape pressed in the editor (or a widget
//     inside it); the key goes no further, so Escape does not close the dialog;
//   - with 1 when the focus leaves the editor for a widget outside it, unless
//     the editor's drop-down is open;
//   - with 1, for every editor whose drop-down is not open, on a mouse press or
//     wheel turn in any widget outside every registered editor (the list's own
//     rows and scroll bars, other controls, menus): the edit ends before the
//     widget handles the press.
// A pop-up window (a combo box's list, a calendar) shown from inside an editor
// sets its drop-down-open flag, and hiding it clears the flag. "Inside" follows
// parent widgets across window boundaries, so an editor's own context menu is
// inside it. A registered editor that is destroyed is unregistered.
#include <QObject>
#include <QPointer>
#include <map>

class QWidget;

class CellEditHook : public QObject {
    Q_OBJECT
public:
    // One more user: installs the hook on the application with the first.
    static void acquire();
    // One user less: removes the hook with the last.
    static void release();
    // The installed hook, null when none.
    static CellEditHook* instance();
    int useCount() const { return uses_; }

    void registerEditor(QWidget* editor, QObject* list);
    // False when the editor was not registered (editing already ended).
    bool unregisterEditor(QWidget* editor);
    bool isRegistered(const QWidget* editor) const;
    bool dropDownOpen(const QWidget* editor) const;
    void setDropDownOpen(const QWidget* editor, bool open);

    // Whether `widget` is `ancestor` or lies inside it (parents followed across
    // windows).
    static bool isInside(const QWidget* widget, const QWidget* ancestor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CellEditHook();
    ~CellEditHook() override;

    struct Entry {
        QPointer<QObject> list;
        bool dropDownOpen = false;
    };
    // The registered editor that `widget` lies inside, null when none.
    QWidget* editorContaining(const QWidget* widget) const;
    void endEdit(QWidget* editor, bool commit);

    int uses_ = 0;
    std::map<const QWidget*, Entry> editors_;
};
