// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The captions of the animation, in creation order; the list owns them.
// One list lives for the whole program (captionList()). The editor changes it on
// the user-interface thread, generation reads it on the worker; the capture
// window's state keeps the two apart, so there is no lock.
#include <deque>
#include <memory>

#include "editor/caption_item.h"

class CaptionList {
public:
    CaptionList() = default;
    CaptionList(const CaptionList&) = delete;
    CaptionList& operator=(const CaptionList&) = delete;

    int count() const { return int(items_.size()); }
    bool empty() const { return items_.empty(); }
    CaptionItem* at(int i);  // null outside 0..count-1
    const CaptionItem* at(int i) const;
    int indexOf(const CaptionItem* item) const;  // -1 when not in the list

    // Appends (newest last) and returns the caption; null for a null item.
    CaptionItem* append(std::unique_ptr<CaptionItem> item);
    // Removes and destroys the caption; false when it is not in the list.
    bool remove(CaptionItem* item);
    // Destroys every caption.
    void clear();

    // The first caption, in list order, that is selected and whose range
    // encloses frame number `currentFrame`; null when none. Font, colour,
    // style and vertical controls and dragging act on it.
    CaptionItem* activeCaption(int currentFrame) const;
    // Sets the selected flag of `item` and clears every other (null: clears all).
    void selectOnly(const CaptionItem* item);
    // A press on the picture at frame pixel (fx, fy): the first caption whose
    // measured block contains the point and whose range encloses the current
    // frame becomes the only selected one and is returned; with none, every
    // caption is deselected and null returned.
    CaptionItem* selectAt(int fx, int fy, int currentFrame);

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::deque<std::unique_ptr<CaptionItem>> items_;
};

// The program's one caption list.
CaptionList& captionList();
