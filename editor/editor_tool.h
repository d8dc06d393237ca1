// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Plug-in interface of the editor (CAddTextDlg) for its tools: captions,
// crop, filter, cinemagraph. A tool keeps its own state and logic; the editor
// stays the host that owns the controls, the picture area and the modes.
//
// Life of a tool: the editor creates its tools in installEditorTools()
// (editor/editor_tools.cpp), right after its controls exist and before the
// opening steps that fill them; each tool gets attach(host) once, may connect
// itself to the controls it owns there (host.control(id)), and is destroyed
// with the editor after closing().
//
// Coordinates: every point and rectangle is in editor client pixels (the
// picture area and the displayed image rectangle too), so hit tests compare
// directly with host.displayedImageRect(); host.toFramePixels() turns a point
// into frame pixels with the display scale.
//
// Dispatch: commands, mouse events and keys are offered to the tools in the
// order they were installed; the first that returns true has handled it and
// the walk stops. Paint hooks are called for every tool, in that order.
//
// Modes: a tool that takes over the editor (crop, cinemagraph) calls
// host.enterMode(mode); the editor then disables its mode controls (3, 5, 6,
// 7, 8, 9, 10, 11, 12, 13, 15, 1010-1017, 1019) except the one the mode keeps
// (10 for crop, none for cinemagraph) and enables them all again on
// host.leaveMode(). Only one mode is on at a time: enterMode is refused
// (false) while another is on.
#include <QPoint>
#include <QRect>
#include <Qt>

class CaptionList;
class QAction;
class QMenu;
class FrameSequence;
class QPainter;
class QWidget;
class RasterImage;
class XListView;
struct AppSettings;

enum class EditorMode {
    Normal,
    Playing,      // slow-motion playback (the editor's own; keeps button 6)
    Crop,         // keeps button 10
    Cinemagraph,  // keeps nothing
};

// A mouse event over the editor's own surface (not over one of its controls).
struct EditorMouseEvent {
    QPoint pos;                             // editor client pixels
    Qt::MouseButton button = Qt::NoButton;  // the button that changed (press/release)
    Qt::MouseButtons buttons;               // buttons held after the event
    Qt::KeyboardModifiers modifiers;
};

// What the editor offers its tools.
class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The editor window (parent for dialogs and menus, receiver of
    // UM_SHOW_FRAME and UM_FILTER_CHOSEN).
    virtual QWidget* editorWidget() = 0;
    // A control of dialog 152 by id (null for an unknown id).
    virtual QWidget* control(int id) const = 0;
    // The caption list 1019 (see editor/caption_list_control.h).
    virtual QWidget* captionListControl() const = 0;
    virtual XListView* strip() const = 0;

    virtual FrameSequence& sequence() = 0;
    virtual CaptionList& captions() = 0;
    virtual AppSettings& settings() = 0;

    // 1-based current frame number, deleted frames counted (0 or beyond the
    // end when there is no record to show).
    virtual int currentFrame() const = 0;
    // Frame pixels per screen pixel of the last paint, never below 1.
    virtual float displayScale() const = 0;
    // Where the current frame was last drawn (kept when a deleted frame is shown).
    virtual QRect displayedImageRect() const = 0;
    virtual QRect pictureArea() const = 0;
    // trunc((p - displayed left/top) * display scale).
    virtual QPoint toFramePixels(const QPoint& clientPos) const = 0;

    // Repaints the picture area (all paint hooks run again).
    virtual void requestRepaint() = 0;
    // Repaints the frame strip (after changing frames or delays).
    virtual void redrawStrip() = 0;
    // What UM_SHOW_FRAME does: stops playback, makes n current, repaints.
    virtual void showFrame(int n) = 0;

    // Pops `menu` up below the control `under` and returns the chosen action
    // (null when dismissed), through the editor's menu seam.
    virtual QAction* popUpMenu(QMenu& menu, QWidget* under) = 0;

    virtual EditorMode mode() const = 0;
    virtual bool enterMode(EditorMode mode) = 0;
    virtual void leaveMode() = 0;
};

class EditorTool {
public:
    virtual ~EditorTool() = default;

    // Once, after the controls exist (opening step "caption list set-up").
    virtual void attach(EditorHost& host) { (void)host; }

    // A click on command button `id` (8, 7, 11, 15, 10, 12, 6, 13, 9, 5, 3).
    // Button 11 (filter), 10 (crop) and 15 (cinemagraph) do nothing unless a
    // tool handles them.
    virtual bool command(int id)
    {
        (void)id;
        return false;
    }

    // Mouse over the editor's surface; true when handled.
    virtual bool mousePress(const EditorMouseEvent& e)
    {
        (void)e;
        return false;
    }
    virtual bool mouseMove(const EditorMouseEvent& e)
    {
        (void)e;
        return false;
    }
    virtual bool mouseRelease(const EditorMouseEvent& e)
    {
        (void)e;
        return false;
    }
    virtual bool mouseDoubleClick(const EditorMouseEvent& e)
    {
        (void)e;
        return false;
    }
    // The cursor to show at `pos` (moves without a button too); false: the
    // tool has no opinion.
    virtual bool cursorAt(const QPoint& pos, Qt::CursorShape& shape) const
    {
        (void)pos;
        (void)shape;
        return false;
    }

    // Draws into the frame-sized buffer of frame `frameNumber` (a 24-bit copy
    // of the frame, filter applied) before it is shrunk onto the screen:
    // the captions preview. Not called for a deleted frame.
    virtual void drawOnFrame(RasterImage& frameBuffer, int frameNumber)
    {
        (void)frameBuffer;
        (void)frameNumber;
    }
    // Paints over the displayed image after shrinking, into the picture area's
    // off-screen buffer (painter in client coordinates, clipped to the area):
    // the cinemagraph mask.
    virtual void paintOverImage(QPainter& painter, const QRect& imageRect)
    {
        (void)painter;
        (void)imageRect;
    }
    // Paints on the editor after the picture area is on screen (painter in
    // client coordinates, not clipped to the area): the crop tracker.
    virtual void paintOverArea(QPainter& painter) { (void)painter; }

    // The editor showed another frame (strip click, playback, UM_SHOW_FRAME).
    virtual void frameShown(int frameNumber) { (void)frameNumber; }
    // The editor was resized (crop mode ends without cropping).
    virtual void resized() {}
    // The frames changed (inserted, removed, reversed, rotated, flipped).
    virtual void framesChanged() {}
    // Closing step 1: end a mode without applying it.
    virtual void closing() {}
    // Closing step 3 (caption controls stored as defaults) is the editor's.
};
