// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// An editor over a small made-up recording, shown offscreen, with its
// pop-up menus answered from a queue and mouse drags over its surface.
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <functional>
#include <memory>
#include <vector>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_list.h"
#include "widgets/icon_button.h"

namespace testenv {

// Every pixel its own colour, so a cut or a copy shows where it came from.
inline std::unique_ptr<RasterImage> taggedFrame(int w, int h, int tag)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int x = 0; x < w; ++x) {
            p[x * 3] = uint8_t(x);
            p[x * 3 + 1] = uint8_t(y);
            p[x * 3 + 2] = uint8_t(tag * 40 + (x >> 8) + (y >> 8) * 8);
        }
    }
    return img;
}

struct EditorFixture {
    FrameSequence seq;
    CaptionList captions;
    AppSettings settings;
    std::unique_ptr<CAddTextDlg> dlg;
    std::vector<int> menuChoices;  // action data to pick, in order (none left: dismiss)

    // Makes frame `index` (from 0) of the recording.
    using FrameMaker = std::function<std::unique_ptr<RasterImage>(int w, int h, int index)>;

    explicit EditorFixture(int frames = 3, int w = 320, int h = 240, const FrameMaker& make = taggedFrame)
    {
        for (int i = 0; i < frames; ++i)
            seq.append(FrameRecord::make(make(w, h, i), 10));
        seq.SetFrameRectangle(0, 0, w, h, 0);
    }
    void open()
    {
        dlg = std::make_unique<CAddTextDlg>(seq, captions, settings);
        dlg->setMenuRunner([this](QMenu& menu, const QPoint&) -> QAction* {
            if (menuChoices.empty())
                return nullptr;
            const int want = menuChoices.front();
            menuChoices.erase(menuChoices.begin());
            for (QAction* a : menu.actions())
                if (a->data().toInt() == want)
                    return a;
            return nullptr;
        });
        dlg->show();
        QCoreApplication::processEvents();
        dlg->renderPictureArea();
    }
    template <typename T>
    T* tool() const
    {
        for (const auto& t : dlg->tools())
            if (auto* found = dynamic_cast<T*>(t.get()))
                return found;
        return nullptr;
    }
    CIconButton* button(int id) const { return dlg->button(id); }
    void click(int id) { button(id)->click(); }
    // Clicks the button and picks `command` from the menu it opens (0: dismisses it).
    void choose(int buttonId, int command)
    {
        menuChoices.push_back(command);
        click(buttonId);
    }
    void drain() { QCoreApplication::processEvents(); }

    void mouse(QEvent::Type type, const QPoint& p, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(p), dlg->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
        QApplication::sendEvent(dlg.get(), &e);
    }
    // A left-button drag through the given points (editor client pixels).
    void drag(const std::vector<QPoint>& points)
    {
        mouse(QEvent::MouseButtonPress, points.front(), Qt::LeftButton, Qt::LeftButton);
        for (size_t i = 1; i < points.size(); ++i)
            mouse(QEvent::MouseMove, points[i], Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, points.back(), Qt::LeftButton, Qt::NoButton);
    }
};

}  // namespace testenv
