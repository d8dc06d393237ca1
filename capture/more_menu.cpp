// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/more_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include "app/app_settings.h"
#include "capture/more_menu_settings.h"
#include "res/resource.h"

namespace {
QAction* addCommand(QMenu& menu, const QString& text, int id)
{
    QAction* a = menu.addAction(text);
    a->setData(id);
    return a;
}

// A submenu of radio items; `marked` carries the mark.
void addRadioItems(QMenu& menu, const std::initializer_list<std::pair<QString, int>>& items, int marked)
{
    auto* group = new QActionGroup(&menu);
    group->setExclusive(true);
    for (const auto& [text, id] : items) {
        QAction* a = addCommand(menu, text, id);
        a->setCheckable(true);
        a->setChecked(id == marked);
        group->addAction(a);
    }
}

void addCheck(QMenu& menu, const QString& text, int id, const AppSettings& settings)
{
    QAction* a = addCommand(menu, text, id);
    a->setCheckable(true);
    a->setChecked(moreMenuItemChecked(id, settings));
}
}  // namespace

std::unique_ptr<QMenu> CMoreMenu::build(const AppSettings& s, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    QMenu* rate = menu->addMenu(tr("抓取视频的频率"));
    addRadioItems(*rate,
                  {{tr("25帧/秒"), ID_RATE_25},
                   {tr("20帧/秒"), ID_RATE_20},
                   {tr("15帧/秒"), ID_RATE_15},
                   {tr("10帧/秒"), ID_RATE_10},
                   {tr("5帧/秒"), ID_RATE_5},
                   {tr("3帧/秒"), ID_RATE_3},
                   {tr("1帧/秒"), ID_RATE_1}},
                  markedRateCommand(s));
    menu->addSeparator();
    QMenu* open = menu->addMenu(tr("修改现有的GIF动画"));
    addCommand(*open, tr("来自我的电脑"), ID_OPEN_GIF_FILE);
    addCommand(*open, tr("来自剪贴板"), ID_OPEN_GIF_CLIPBOARD);
    menu->addSeparator();
    QMenu* mouse = menu->addMenu(tr("录制鼠标轨迹"));
    addRadioItems(*mouse,
                  {{tr("不录制鼠标轨迹"), ID_MOUSE_NONE},
                   {tr("录制鼠标轨迹但不带背景色"), ID_MOUSE_CURSOR},
                   {tr("录制鼠标轨迹且带红色背景"), ID_MOUSE_RED},
                   {tr("录制鼠标轨迹且带绿色背景"), ID_MOUSE_GREEN},
                   {tr("录制鼠标轨迹且带黄色背景"), ID_MOUSE_YELLOW}},
                  markedMouseCommand(s));
    menu->addSeparator();
    addCheck(*menu, tr("置顶显示"), ID_TOPMOST, s);
    addCheck(*menu, tr("关闭透明效果以提高性能（Win7下重启软件有效）"), ID_AERO_OFF, s);
    addCheck(*menu, tr("生成动画时打开渲染（推荐）"), ID_RENDER, s);
    addCheck(*menu, tr("生成只播放一次的动画（可植入PPT文件）"), ID_PLAY_ONCE, s);
    addCheck(*menu, tr("生成的动图强制保留白色（不推荐）"), ID_KEEP_WHITE, s);
    addCheck(*menu, tr("只保留录制的最后十秒（常用于视频直播场景）"), ID_LAST_10S, s);
    menu->addSeparator();
    QMenu* marks = menu->addMenu(tr("在动画上自动贴上我的水印"));
    addCommand(*marks, tr("文字水印"), ID_TEXT_WATERMARK);
    addCommand(*marks, tr("图像水印"), ID_IMAGE_WATERMARK);
    menu->addSeparator();
    addCommand(*menu, tr("发送字体文件到本软件的手机版"), ID_SEND_FONT);
    menu->addSeparator();
    addCommand(*menu, tr("为什么我生成的GIF动画是黑色的"), ID_HELP_WHYBLANK);
    addCommand(*menu, tr("（适用高分辨电脑）调节界面文字大小"), ID_TEXT_SCALE);
    addCommand(*menu, tr("检测新版本..."), ID_CHECK_UPDATE);
    addCommand(*menu, tr("关于..."), ID_APP_ABOUT);
    return menu;
}

int CMoreMenu::choose(QWidget* button, const AppSettings& settings)
{
    std::unique_ptr<QMenu> menu = build(settings, button);
    const QPoint at = button ? button->mapToGlobal(QPoint(0, button->height())) : QPoint(0, 0);
    QAction* chosen = menu->exec(at);
    return chosen ? chosen->data().toInt() : 0;
}
