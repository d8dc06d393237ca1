// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_list.h"

#include <algorithm>

CaptionItem* CaptionList::at(int i)
{
    return (i >= 0 && i < count()) ? items_[size_t(i)].get() : nullptr;
}

const CaptionItem* CaptionList::at(int i) const
{
    return (i >= 0 && i < count()) ? items_[size_t(i)].get() : nullptr;
}

int CaptionList::indexOf(const CaptionItem* item) const
{
    if (!item)
        return -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item)
            return int(i);
    return -1;
}

CaptionItem* CaptionList::append(std::unique_ptr<CaptionItem> item)
{
    if (!item)
        return nullptr;
    items_.push_back(std::move(item));
    return items_.back().get();
}

bool CaptionList::remove(CaptionItem* item)
{
    const int i = indexOf(item);
    if (i < 0)
        return false;
    items_.erase(items_.begin() + i);
    return true;
}

void CaptionList::clear()
{
    while (!items_.empty())
        items_.pop_front();
}

CaptionItem* CaptionList::activeCaption(int currentFrame) const
{
    for (const auto& item : items_)
        if (item->selected && item->encloses(currentFrame))
            return item.get();
    return nullptr;
}

void CaptionList::selectOnly(const CaptionItem* item)
{
    for (auto& each : items_)
        each->selected = each.get() == item;
}

CaptionItem* CaptionList::selectAt(int fx, int fy, int currentFrame)
{
    CaptionItem* hit = nullptr;
    for (auto& item : items_) {
        if (item->boxContains(fx, fy) && item->encloses(currentFrame)) {
            hit = item.get();
            break;
        }
    }
    selectOnly(hit);
    return hit;
}

CaptionList& captionList()
{
    static CaptionList list;
    return list;
}
