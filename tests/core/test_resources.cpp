// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Resource ids and the string table.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstring>
#include <map>
#include <string>

#include "res/resource.h"
#include "res/string_table.h"
#include "test_env.h"

namespace {

int idByName(const char* name)
{
    for (const ResourceIdEntry& e : kResourceIds) {
        if (std::strcmp(e.name, name) == 0)
            return e.value;
    }
    return -1;
}

bool hasPrefix(const char* name, const char* prefix)
{
    return std::strncmp(name, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

TEST(Resources, IdsHaveTheirFixedValues)
{
    struct Case {
        int id;
        int expected;
    };
    const Case cases[] = {
        {IDD_CAPTURE_DIALOG, 102},
        {IDD_BOTTOM_DIALOG, 129},
        {IDD_LEFT_DIALOG, 130},
        {IDD_RIGHT_DIALOG, 131},
        {IDD_PREVIEW_DIALOG, 145},
        {IDD_ADDTEXT_DIALOG, 152},
        {IDD_BLANKNOTICE_DIALOG, 167},
        {IDD_LOGOSETTING_DIALOG, 168},
        {IDD_UPDATE_DIALOG, 180},
        {IDD_TXTLOGOSETTING_DIALOG, 181},
        {IDD_QRCODE_DIALOG, 196},
        {IDD_FILTER_DIALOG, 204},
        {IDD_TEXTSCALE_DIALOG, 208},
        {IDD_CINEMAGRAPH_DIALOG, 209},
        {IDD_SIZE_DIALOG, 215},
        {IDD_ABOUTBOX, 8000},
        {IDI_MAINFRAME, 128},
        {IDB_ABOUT_BANNER, 8100},
        {IDR_MORE_MENU, 140},
        {ID_RATE_25, 32784},
        {ID_RATE_1, 32790},
        {ID_OPEN_GIF_FILE, 32887},
        {ID_OPEN_GIF_CLIPBOARD, 32889},
        {ID_MOUSE_NONE, 32862},
        {ID_MOUSE_YELLOW, 32867},
        {ID_TOPMOST, 32860},
        {ID_AERO_OFF, 32933},
        {ID_RENDER, 32936},
        {ID_PLAY_ONCE, 32946},
        {ID_KEEP_WHITE, 32956},
        {ID_LAST_10S, 32938},
        {ID_TEXT_WATERMARK, 32930},
        {ID_IMAGE_WATERMARK, 32874},
        {ID_SEND_FONT, 32949},
        {ID_HELP_WHYBLANK, 32842},
        {ID_TEXT_SCALE, 32966},
        {ID_CHECK_UPDATE, 32965},
        {ID_APP_ABOUT, 32792},
        {IDC_CAPTURE_OPEN, 5},
        {IDC_CAPTURE_MINIMIZE, 3},
        {IDC_CAPTURE_SQUARE, 4},
        {IDC_CAPTURE_CLOSE, 2},
        {IDC_CAPTURE_START_STOP, 1000},
        {IDC_CAPTURE_GIF, 1001},
        {IDC_CAPTURE_MORE, 1002},
        {IDC_CAPTURE_EDIT, 1003},
        {IDC_TEXT_SCALE_SLIDER, 1068},
        {IDC_EDITOR_GENERATE, 9},
        {IDC_EDITOR_CINEMAGRAPH, 15},
        {IDC_EDITOR_CAPTION_LIST, 1019},
        {IDC_EDITOR_CELL_EDIT, 1008},
        {IDC_EDITOR_BK_LABEL, 1050},
        {IDC_SIZE_ORIGINAL, 1027},
        {IDC_SIZE_WIDTH, 1079},
        {IDC_SIZE_HEIGHT, 1080},
        {IDC_SIZE_SLIDER, 1081},
        {IDC_LOGO_SIZE_SLIDER, 1055},
        {IDC_LOGO_BROWSE, 1058},
        {IDC_TXTLOGO_FONT, 1038},
        {IDC_TXTLOGO_PREVIEW_FRAME, 1033},
        {IDC_CINEMAGRAPH_PEN_SLIDER, 1069},
        {IDC_CINEMAGRAPH_ERASER, 1074},
        {IDC_PREVIEW_VIEW, 1004},
        {IDC_PREVIEW_EDIT, 1010},
        {IDC_NOTICE_LINK, 1027},
        {IDC_NOTICE_DONT_SHOW, 1026},
        {IDC_QRCODE_GENERATE, 1065},
        {IDC_PROGRESS_CANCEL, 10},
        {IDC_PROGRESS_BAR, 12},
        {IDC_UPDATE_VERSION, 1052},
        {IDC_ABOUT_BANNER, 8150},
        {IDC_ABOUT_CUSTOM, 8206},
        {IDT_EDITOR_PLAYBACK, 1},
        {IDT_HYPERLINK, 100},
        {UM_START_CAPTURE, 0x4D2},
        {UM_STOP_CAPTURE, 0x4D3},
        {UM_GENERATE, 0x4D4},
        {UM_CAPTURE_TICK, 0x4D6},
        {UM_FRAME_COUNT, 0x4DC},
        {UM_CAPTURE_STOPPED, 0x4DD},
        {UM_PROGRESS, 0x4DE},
        {UM_GENERATED, 0x4DF},
        {UM_LAYOUT_BARS, 0x465},
        {UM_SHOW_FRAME, 0x4C6},
        {UM_FILTER_CHOSEN, 0x470},
        {UM_FILTER_CLICKED, 0x4C4},
        {UM_END_CELL_EDIT, 0x40A},
        {UM_SEND_PROGRESS, 0x536},
        {UM_SEND_PORT, 0x537},
        {UM_SEND_DONE, 0x538},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.id, c.expected);
}

TEST(Resources, TableListsEveryConstantOnceAndKindsDoNotCollide)
{
    // Names are unique; within one kind (dialogs, menu commands, strings,
    // messages) values are unique too. Control ids repeat across dialogs.
    std::map<std::string, int> byName;
    std::map<std::string, QSet<int>> valuesByKind;
    for (const ResourceIdEntry& e : kResourceIds) {
        EXPECT_TRUE(byName.emplace(e.name, e.value).second) << e.name << " listed twice";
        for (const char* kind : {"IDD_", "ID_", "IDS_", "UM_"}) {
            if (hasPrefix(e.name, kind)) {
                QSet<int>& seen = valuesByKind[kind];
                EXPECT_FALSE(seen.contains(e.value)) << e.name << " repeats value " << e.value;
                seen.insert(e.value);
            }
        }
    }
    EXPECT_EQ(idByName("IDC_EDITOR_CAPTION_LIST"), IDC_EDITOR_CAPTION_LIST);
    EXPECT_EQ(idByName("UM_GENERATED"), UM_GENERATED);
    EXPECT_EQ(idByName("IDS_APP_TITLE"), 57344);
    // The menu commands of the More menu: 7 rates, 2 imports, 5 pointer modes,
    // 6 check items, 2 watermarks and 5 commands.
    EXPECT_EQ(valuesByKind["ID_"].size(), 27);
    EXPECT_EQ(valuesByKind["UM_"].size(), 16);
}

TEST(Resources, StringsHaveTheirTexts)
{
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {144, "正在生成GIF，请稍等.."},
        {151, "该文件不完整，无法打开。如果它来自网络，建议您重新获取。"},
        {156, "双击字幕栏的文字来修改内容"},
        {165,
         "确定要删除选中的帧吗？\n请注意，您不能删除所有的帧。\n\n删除以后，您可能需要手动调整，窗口下部每条"
         "字幕出现的时间位置。"},
        {171, "Cinemagraph要求指定一帧，提供序列里画面静止的部分。\n\n要设置当前帧为该帧吗？"},
        {172, "画笔\n请在帧画面上涂抹，你希望它运动的区域"},
        {173, "橡皮擦\n请在帧画面上涂抹，你希望保持静止的区域"},
        {207, "左上角"},
        {208, "左下角"},
        {209, "右上角"},
        {210, "右下角"},
        {219, "在第 %d 帧之前插入"},
        {220, "在第 %d 帧之后插入"},
        {222, "静态帧:%d"},
        {57344, "Vexlo"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadString(c.id), QString::fromUtf8(c.text)) << "string " << c.id;

    // Real line breaks, full-width punctuation kept as written.
    EXPECT_EQ(loadString(IDS_CONFIRM_REMOVE_FRAMES).count(QLatin1Char('\n')), 3);
    EXPECT_TRUE(loadString(IDS_GENERATING_WAIT).contains(QChar(0xFF0C)));  // "，"
    EXPECT_EQ(QString::asprintf(loadString(IDS_INSERT_AFTER).toUtf8().constData(), 3),
              QString::fromUtf8("在第 3 帧之后插入"));
}

TEST(Resources, HelpPagesShipWithTheProgram)
{
    EXPECT_EQ(loadString(IDS_HELP_WHYBLANK), QStringLiteral("vx_whyblank.htm"));
    EXPECT_EQ(loadString(IDS_HELP_CINEMAGRAPH), QStringLiteral("vx_cinemagraph.htm"));
    const QString helpDir = QString::fromStdString(testenv::sourceDir()) + QStringLiteral("/res/help/");
    const QStringList pages = {loadString(IDS_HELP_WHYBLANK),  loadString(IDS_HELP_CINEMAGRAPH),
                               QStringLiteral("vx_face.htm"),  QStringLiteral("vx_reduce.htm"),
                               QStringLiteral("vx_speed.htm"), QStringLiteral("vx_version_update.htm")};
    for (const QString& page : pages) {
        QFile file(helpDir + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("charset=\"utf-8\""))) << page.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("Vexlo"))) << page.toStdString();
    }
}

TEST(Resources, EveryStringIdResolvesAndUnknownIdsAreEmpty)
{
    QSet<int> constants;
    for (const ResourceIdEntry& e : kResourceIds) {
        if (hasPrefix(e.name, "IDS_")) {
            constants.insert(e.value);
            EXPECT_FALSE(loadString(e.value).isEmpty()) << e.name;
        }
    }
    const QList<int> tableIds = stringTableIds();
    EXPECT_EQ(QSet<int>(tableIds.begin(), tableIds.end()), constants);
    for (int unknown : {0, -1, 143, 145, 211, 57343, 57345})
        EXPECT_TRUE(loadString(unknown).isEmpty()) << unknown;
}
