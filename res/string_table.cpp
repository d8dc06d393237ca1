// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "res/string_table.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

#include "res/resource.h"

namespace {

struct StringEntry {
    int id;
    const char* text;  // UTF-8
};

// Sorted by id. The texts are the source texts of the translations. IDS_HELP_WHYBLANK and
// IDS_HELP_CINEMAGRAPH name pages of the help folder installed beside the program (res/help).
constexpr StringEntry kStrings[] = {
    {IDS_GENERATING_WAIT, QT_TRANSLATE_NOOP("StringTable", "正在生成GIF，请稍等..")},
    {IDS_FILE_INCOMPLETE,
     QT_TRANSLATE_NOOP("StringTable", "该文件不完整，无法打开。如果它来自网络，建议您重新获取。")},
    {IDS_NEW_CAPTION_TEXT, QT_TRANSLATE_NOOP("StringTable", "双击字幕栏的文字来修改内容")},
    {IDS_HELP_WHYBLANK, "vx_whyblank.htm"},
    {IDS_CONFIRM_REMOVE_FRAMES, QT_TRANSLATE_NOOP("StringTable",
                                                  "确定要删除选中的帧吗？\n请注意，您不能删除所有的帧。\n\n删"
                                                  "除以后，您可能需要手动调整，窗口下部每条字幕"
                                                  "出现的时间位置。")},
    {IDS_CINEMAGRAPH_SET_STILL,
     QT_TRANSLATE_NOOP("StringTable",
                       "Cinemagraph要求指定一帧，提供序列里画面静止的部分。\n\n要设置当前帧为该帧吗？")},
    {IDS_CINEMAGRAPH_BRUSH_TIP,
     QT_TRANSLATE_NOOP("StringTable", "画笔\n请在帧画面上涂抹，你希望它运动的区域")},
    {IDS_CINEMAGRAPH_ERASER_TIP,
     QT_TRANSLATE_NOOP("StringTable", "橡皮擦\n请在帧画面上涂抹，你希望保持静止的区域")},
    {IDS_HELP_CINEMAGRAPH, "vx_cinemagraph.htm"},
    {IDS_CORNER_TOP_LEFT, QT_TRANSLATE_NOOP("StringTable", "左上角")},
    {IDS_CORNER_BOTTOM_LEFT, QT_TRANSLATE_NOOP("StringTable", "左下角")},
    {IDS_CORNER_TOP_RIGHT, QT_TRANSLATE_NOOP("StringTable", "右上角")},
    {IDS_CORNER_BOTTOM_RIGHT, QT_TRANSLATE_NOOP("StringTable", "右下角")},
    {IDS_INSERT_BEFORE, QT_TRANSLATE_NOOP("StringTable", "在第 %d 帧之前插入")},
    {IDS_INSERT_AFTER, QT_TRANSLATE_NOOP("StringTable", "在第 %d 帧之后插入")},
    {IDS_STILL_FRAME, QT_TRANSLATE_NOOP("StringTable", "静态帧:%d")},
    {IDS_APP_TITLE, "Vexlo"},
};

constexpr bool sortedById()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    }
    return true;
}
static_assert(sortedById(), "the string table must stay sorted by id, without duplicates");

}  // namespace

QString loadString(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const StringEntry& e, int value) { return e.id < value; });
    if (it == std::end(kStrings) || it->id != id)
        return QString();
    // Translated for an English system language (app/translations.h); the
    // page names are no texts and are never translated.
    return QCoreApplication::translate("StringTable", it->text);
}

QList<int> stringTableIds()
{
    QList<int> ids;
    ids.reserve(int(std::size(kStrings)));
    for (const StringEntry& e : kStrings)
        ids.append(e.id);
    return ids;
}
