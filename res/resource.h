// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Numeric resource ids of Vexlo: dialog templates, controls, menus and their
// commands, strings, icons and bitmaps, timers, and the private window/thread
// messages. Every control carries its id (setControlId), so windows and tests
// find controls by these names.
//
// Control ids are only unique within their dialog (1010 is the font list of the
// editor and the "编辑" button of the preview), so control names carry the
// dialog they belong to.
//
// kResourceIds at the end lists every constant with its name, for tests and
// tools that iterate over them.

// ---------------------------------------------------------------------------
// Standard dialog commands
// ---------------------------------------------------------------------------
constexpr int IDOK = 1;      // default push button / OK command (Enter)
constexpr int IDCANCEL = 2;  // cancel command (Esc, close box)

// ---------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------
constexpr int IDD_CAPTURE_DIALOG = 102;         // CCaptureDlg, the capture window's top bar
constexpr int IDD_BOTTOM_DIALOG = 129;          // CBottomDialog, bottom bar with the status labels
constexpr int IDD_LEFT_DIALOG = 130;            // CLeftDialog, 5-pixel left bar
constexpr int IDD_RIGHT_DIALOG = 131;           // CRightDialog, 5-pixel right bar
constexpr int IDD_PREVIEW_DIALOG = 145;         // CPreviewDlg "预览"
constexpr int IDD_ADDTEXT_DIALOG = 152;         // CAddTextDlg, the editor "编辑" (601 x 379 dlu)
constexpr int IDD_BLANKNOTICE_DIALOG = 167;     // CBlankNoticeDlg "友情提醒", large-file notice
constexpr int IDD_LOGOSETTING_DIALOG = 168;     // CLogoSettingDlg, image watermark "自定义水印设置"
constexpr int IDD_UPDATE_DIALOG = 180;          // CUpdateDlg "检测新版本" (320 x 168 dlu)
constexpr int IDD_TXTLOGOSETTING_DIALOG = 181;  // CTxtLogoSettingDlg, text watermark "自定义水印设置"
constexpr int IDD_QRCODE_DIALOG = 196;          // CQRCodeDlg "扫描二维码" (288 x 314 dlu)
constexpr int IDD_FILTER_DIALOG = 204;          // CFilterDialog "滤镜"
constexpr int IDD_TEXTSCALE_DIALOG = 208;       // UI text scale dialog "调节界面文字大小"
constexpr int IDD_CINEMAGRAPH_DIALOG = 209;     // CCinemagraphDlg "Cinemagraph"
constexpr int IDD_SIZE_DIALOG = 215;  // CSizeDlg "输出GIF的宽高（建议500x500以内）" (212 x 80 dlu)
constexpr int IDD_ABOUTBOX = 8000;    // CAboutDlg "关于" (270 x 198 dlu)

// ---------------------------------------------------------------------------
// Icons, bitmaps, menus
// ---------------------------------------------------------------------------
constexpr int IDI_MAINFRAME = 128;      // application icon (large and small)
constexpr int IDB_ABOUT_BANNER = 8100;  // banner picture at the top of the About box
constexpr int IDR_MORE_MENU = 140;      // the capture window's More menu (one popup)

// ---------------------------------------------------------------------------
// More menu commands (menu 140)
// ---------------------------------------------------------------------------
// "抓取视频的频率" submenu, radio items
constexpr int ID_RATE_25 = 32784;  // "25帧/秒"
constexpr int ID_RATE_20 = 32785;  // "20帧/秒"
constexpr int ID_RATE_15 = 32786;  // "15帧/秒"
constexpr int ID_RATE_10 = 32787;  // "10帧/秒"
constexpr int ID_RATE_5 = 32788;   // "5帧/秒"
constexpr int ID_RATE_3 = 32789;   // "3帧/秒"
constexpr int ID_RATE_1 = 32790;   // "1帧/秒"
// "修改现有的GIF动画" submenu
constexpr int ID_OPEN_GIF_FILE = 32887;       // "来自我的电脑"
constexpr int ID_OPEN_GIF_CLIPBOARD = 32889;  // "来自剪贴板"
// "录制鼠标轨迹" submenu, radio items (Mouse = 0..4)
constexpr int ID_MOUSE_NONE = 32862;    // "不录制鼠标轨迹"
constexpr int ID_MOUSE_CURSOR = 32863;  // "录制鼠标轨迹但不带背景色"
constexpr int ID_MOUSE_RED = 32864;     // "录制鼠标轨迹且带红色背景"
constexpr int ID_MOUSE_GREEN = 32865;   // "录制鼠标轨迹且带绿色背景"
constexpr int ID_MOUSE_YELLOW = 32867;  // "录制鼠标轨迹且带黄色背景"
// check items
constexpr int ID_TOPMOST = 32860;  // "置顶显示" (TopWnd)
constexpr int ID_AERO_OFF = 32933;  // "关闭透明效果以提高性能（Win7下重启软件有效）" (Aero)
constexpr int ID_RENDER = 32936;    // "生成动画时打开渲染（推荐）" (File, dithering)
constexpr int ID_PLAY_ONCE = 32946;  // "生成只播放一次的动画（可植入PPT文件）" (play-once flag)
constexpr int ID_KEEP_WHITE = 32956;  // "生成的动图强制保留白色（不推荐）" (WhiteBK)
constexpr int ID_LAST_10S = 32938;  // "只保留录制的最后十秒（常用于视频直播场景）" (Last10)
// "在动画上自动贴上我的水印" submenu
constexpr int ID_TEXT_WATERMARK = 32930;   // "文字水印"
constexpr int ID_IMAGE_WATERMARK = 32874;  // "图像水印"
// commands
constexpr int ID_SEND_FONT = 32949;      // "发送字体文件到本软件的手机版"
constexpr int ID_HELP_WHYBLANK = 32842;  // "为什么我生成的GIF动画是黑色的"
constexpr int ID_TEXT_SCALE = 32966;     // "（适用高分辨电脑）调节界面文字大小"
constexpr int ID_CHECK_UPDATE = 32965;   // "检测新版本..."
constexpr int ID_APP_ABOUT = 32792;      // "关于..."

// ---------------------------------------------------------------------------
// Capture window (dialog 102): bitmap buttons
// ---------------------------------------------------------------------------
constexpr int IDC_CAPTURE_CLOSE = 2;          // "C": close (same id as IDCANCEL)
constexpr int IDC_CAPTURE_MINIMIZE = 3;       // "M": minimise
constexpr int IDC_CAPTURE_SQUARE = 4;         // "A": empty square, no command
constexpr int IDC_CAPTURE_OPEN = 5;           // "O": open a GIF file for editing
constexpr int IDC_CAPTURE_START_STOP = 1000;  // "Capture": 开始 / 停止
constexpr int IDC_CAPTURE_GIF = 1001;         // "GIF": 生成动画
constexpr int IDC_CAPTURE_MORE = 1002;        // "More": 更多, the More menu
constexpr int IDC_CAPTURE_EDIT = 1003;        // "Subtitle": 编辑, open the editor

// ---------------------------------------------------------------------------
// UI text scale dialog (dialog 208)
// ---------------------------------------------------------------------------
constexpr int IDC_TEXT_SCALE_SLIDER = 1068;  // text scale dialog slider, 1..3

// ---------------------------------------------------------------------------
// Editor CAddTextDlg (dialog 152)
// ---------------------------------------------------------------------------
constexpr int IDC_EDITOR_DELETE_CAPTION = 3;   // "删除字幕"
constexpr int IDC_EDITOR_ADD_CAPTION = 5;      // "添加字幕"
constexpr int IDC_EDITOR_SLOW_PLAY = 6;        // "慢镜播放", check style
constexpr int IDC_EDITOR_DELETE_FRAMES = 7;    // "删除帧": delete menu (also the strip's "删除/取消")
constexpr int IDC_EDITOR_ADD_FRAMES = 8;       // "添加帧": insert menu
constexpr int IDC_EDITOR_GENERATE = 9;         // "生成动画"
constexpr int IDC_EDITOR_CROP = 10;            // "裁剪", check style
constexpr int IDC_EDITOR_FILTER = 11;          // "滤镜" / "滤镜: %d" / "滤镜: 无"
constexpr int IDC_EDITOR_REVERSE = 12;         // "倒序": reverse / rotate / flip menu
constexpr int IDC_EDITOR_SPEED = 13;           // "速度": speed menu
constexpr int IDC_EDITOR_CINEMAGRAPH = 15;     // "Cinemagraph"
constexpr int IDC_EDITOR_CELL_EDIT = 1008;     // hidden in-place editor of the caption list
constexpr int IDC_EDITOR_FONT_LIST = 1010;     // caption font face, drop-down list
constexpr int IDC_EDITOR_SIZE_LIST = 1011;     // caption font size in points, drop-down list
constexpr int IDC_EDITOR_TEXT_COLOR = 1012;    // caption text colour button
constexpr int IDC_EDITOR_BK_COLOR = 1013;      // caption background colour button
constexpr int IDC_EDITOR_BK_STYLE = 1014;      // caption background style list
constexpr int IDC_EDITOR_BOLD = 1015;          // "B" check box
constexpr int IDC_EDITOR_ITALIC = 1016;        // "I" check box
constexpr int IDC_EDITOR_VERTICAL = 1017;      // "竖排" check box
constexpr int IDC_EDITOR_CAPTION_LIST = 1019;  // CListCtrlEx caption list
constexpr int IDC_EDITOR_SEPARATOR1 = 1025;    // black-frame separator before "竖排"
constexpr int IDC_EDITOR_SEPARATOR2 = 1026;    // black-frame separator before "文字背景:"
constexpr int IDC_EDITOR_BK_LABEL = 1050;      // static "文字背景:"

// ---------------------------------------------------------------------------
// Output size dialog CSizeDlg (dialog 215)
// ---------------------------------------------------------------------------
constexpr int IDC_SIZE_OK = 1;           // "确定" default push button (IDOK)
constexpr int IDC_SIZE_ORIGINAL = 1027;  // reference size label "%d X %d"
constexpr int IDC_SIZE_X_LABEL = 1028;   // static "X" between the edits
constexpr int IDC_SIZE_WIDTH = 1079;     // output width edit, digits only
constexpr int IDC_SIZE_HEIGHT = 1080;    // output height edit, digits only
constexpr int IDC_SIZE_SLIDER = 1081;    // percent of the reference size, 1..100

// ---------------------------------------------------------------------------
// Image watermark dialog CLogoSettingDlg (dialog 168)
// ---------------------------------------------------------------------------
constexpr int IDC_LOGO_ENABLE = 1028;         // check box "我希望把下面的小图片文件，…"
constexpr int IDC_LOGO_POS = 1030;            // corner list
constexpr int IDC_LOGO_PREVIEW_FRAME = 1033;  // group box fixing the preview area
constexpr int IDC_LOGO_SIZE_SLIDER = 1055;    // width slider, 20..200
constexpr int IDC_LOGO_SIZE_LABEL = 1056;     // current width "%d"
constexpr int IDC_LOGO_FILE = 1057;           // read-only edit with the watermark path
constexpr int IDC_LOGO_BROWSE = 1058;         // "..." chooses the file

// ---------------------------------------------------------------------------
// Text watermark dialog CTxtLogoSettingDlg (dialog 181)
// ---------------------------------------------------------------------------
constexpr int IDC_TXTLOGO_ENABLE = 1028;  // check box "将下述文本作为水印添加到所有生成的GIF图片中:"
constexpr int IDC_TXTLOGO_COLOR = 1029;          // text colour button
constexpr int IDC_TXTLOGO_POS = 1030;            // corner list
constexpr int IDC_TXTLOGO_TEXT = 1031;           // text edit (stored on Enter / focus loss)
constexpr int IDC_TXTLOGO_BK_COLOR = 1032;       // background colour button
constexpr int IDC_TXTLOGO_PREVIEW_FRAME = 1033;  // group box fixing the preview area
constexpr int IDC_TXTLOGO_SIZE = 1034;           // size list "8".."18"
constexpr int IDC_TXTLOGO_BK = 1035;             // check box "背景颜色："
constexpr int IDC_TXTLOGO_BOLD = 1036;           // check box "加粗"
constexpr int IDC_TXTLOGO_ITALIC = 1037;         // check box "斜体"
constexpr int IDC_TXTLOGO_FONT = 1038;           // font list

// ---------------------------------------------------------------------------
// Cinemagraph dialog CCinemagraphDlg (dialog 209)
// ---------------------------------------------------------------------------
constexpr int IDC_CINEMAGRAPH_PEN_SLIDER = 1069;   // vertical pen width slider, 10..50
constexpr int IDC_CINEMAGRAPH_SAVE = 1070;         // "保存"
constexpr int IDC_CINEMAGRAPH_HELP = 1071;         // "帮助": vx_cinemagraph.htm
constexpr int IDC_CINEMAGRAPH_STILL_FRAME = 1072;  // "静态帧" / "静态帧:%d"
constexpr int IDC_CINEMAGRAPH_BRUSH = 1073;        // brush check button
constexpr int IDC_CINEMAGRAPH_ERASER = 1074;       // eraser check button

// ---------------------------------------------------------------------------
// Preview CPreviewDlg (dialog 145)
// ---------------------------------------------------------------------------
constexpr int IDC_PREVIEW_VIEW = 1004;    // CGifexplorer, the view that shows the GIF
constexpr int IDC_PREVIEW_INFO = 1005;    // CStyledLabel, "%.1fK, %d*%d, %d frames"
constexpr int IDC_PREVIEW_SAVE = 1007;    // "保存": menu SaveMore
constexpr int IDC_PREVIEW_REDUCE = 1008;  // "压缩动画": menu Reduce
constexpr int IDC_PREVIEW_HELP = 1009;    // "帮助": menu HELP
constexpr int IDC_PREVIEW_EDIT = 1010;    // "编辑": back to the editor

// ---------------------------------------------------------------------------
// Large-file notice CBlankNoticeDlg (dialog 167)
// ---------------------------------------------------------------------------
constexpr int IDC_NOTICE_DONT_SHOW = 1026;  // check box "我已经知道了，下次请不要再重复告诉我了"
constexpr int IDC_NOTICE_LINK = 1027;  // CHyperlinkStatic to vx_reduce.htm

// ---------------------------------------------------------------------------
// Send to phone CQRCodeDlg (dialog 196)
// ---------------------------------------------------------------------------
constexpr int IDC_QRCODE_IP_LABEL = 1063;  // "您的电脑有多个IP地址，请选择一个用来发送文件："
constexpr int IDC_QRCODE_IP_LIST = 1064;   // drop-down list of the local IPv4 addresses
constexpr int IDC_QRCODE_GENERATE = 1065;  // "生成二维码"

// ---------------------------------------------------------------------------
// Progress window CProgressWnd (a plain window, children created in code)
// ---------------------------------------------------------------------------
constexpr int IDC_PROGRESS_CANCEL = 10;  // " Cancel " button, always disabled
constexpr int IDC_PROGRESS_TEXT = 11;    // text label
constexpr int IDC_PROGRESS_BAR = 12;     // progress bar

// ---------------------------------------------------------------------------
// Version check CUpdateDlg (dialog 180)
// ---------------------------------------------------------------------------
constexpr int IDC_UPDATE_VIEW = 1051;     // CGifexplorer showing the version page
constexpr int IDC_UPDATE_VERSION = 1052;  // installed version "%d.%d.%d.%d"

// ---------------------------------------------------------------------------
// About box CAboutDlg (dialog 8000)
// ---------------------------------------------------------------------------
constexpr int IDC_ABOUT_BANNER = 8150;   // picture of bitmap 8100
constexpr int IDC_ABOUT_VERSION = 8200;  // "%s Version %u.%u.%u.%u"
constexpr int IDC_ABOUT_LEGAL = 8201;    // legal notice line
constexpr int IDC_ABOUT_WEBSITE = 8203;  // CHyperlinkStatic, web-site link
constexpr int IDC_ABOUT_SUPPORT = 8204;  // CHyperlinkStatic, support mailto: link
constexpr int IDC_ABOUT_CUSTOM = 8206;   // custom information line (CustomInfo)

// ---------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------
constexpr int IDT_EDITOR_PLAYBACK = 1;  // editor slow-motion playback, 200 ms
constexpr int IDT_HYPERLINK = 100;      // CHyperlinkStatic hover check, 100 ms

// ---------------------------------------------------------------------------
// Strings (texts in res/string_table.cpp, loadString(id))
// ---------------------------------------------------------------------------
constexpr int IDS_GENERATING_WAIT = 144;         // close refused while generating
constexpr int IDS_FILE_INCOMPLETE = 151;         // file cannot be opened (clipboard import, watermark)
constexpr int IDS_NEW_CAPTION_TEXT = 156;        // text of a new caption
constexpr int IDS_HELP_WHYBLANK = 162;           // help page: why the GIF is black
constexpr int IDS_CONFIRM_REMOVE_FRAMES = 165;   // "彻底移除(不可恢复)" confirmation
constexpr int IDS_CINEMAGRAPH_SET_STILL = 171;   // question of the "静态帧" button
constexpr int IDS_CINEMAGRAPH_BRUSH_TIP = 172;   // tooltip of the brush button
constexpr int IDS_CINEMAGRAPH_ERASER_TIP = 173;  // tooltip of the eraser button
constexpr int IDS_HELP_CINEMAGRAPH = 174;        // help page of the cinemagraph dialog
constexpr int IDS_CORNER_TOP_LEFT = 207;         // watermark corner 0
constexpr int IDS_CORNER_BOTTOM_LEFT = 208;      // watermark corner 1
constexpr int IDS_CORNER_TOP_RIGHT = 209;        // watermark corner 2
constexpr int IDS_CORNER_BOTTOM_RIGHT = 210;     // watermark corner 3
constexpr int IDS_INSERT_BEFORE = 219;           // insert menu, "%d" = current frame
constexpr int IDS_INSERT_AFTER = 220;            // insert menu, "%d" = current frame
constexpr int IDS_STILL_FRAME = 222;             // caption of the "静态帧" button, "%d" = still frame
constexpr int IDS_APP_TITLE = 57344;             // product name (window title, title band)

// ---------------------------------------------------------------------------
// Private window and thread messages (WM_USER range)
// ---------------------------------------------------------------------------
constexpr int UM_END_CELL_EDIT =
    1034;                             // 0x40A, hook -> list control: end editing (wParam 1 commit, 0 cancel)
constexpr int UM_LAYOUT_BARS = 1125;  // 0x465, bars -> capture window: wParam new capture height or 0
constexpr int UM_FILTER_CHOSEN = 1136;    // 0x470, filter dialog -> editor: lParam filter number
constexpr int UM_FILTER_CLICKED = 1220;   // 0x4C4, filter list -> filter dialog: lParam filter number
constexpr int UM_SHOW_FRAME = 1222;       // 0x4C6, strip / caption list -> editor: lParam frame number
constexpr int UM_START_CAPTURE = 1234;    // 0x4D2, thread: wParam last-ten-seconds, lParam ms per frame
constexpr int UM_STOP_CAPTURE = 1235;     // 0x4D3, thread: stop recording
constexpr int UM_GENERATE = 1236;         // 0x4D4, thread: wParam filter number, lParam dithering flag
constexpr int UM_CAPTURE_TICK = 1238;     // 0x4D6, thread, worker -> itself: grab the next frame
constexpr int UM_FRAME_COUNT = 1244;      // 0x4DC, worker -> capture window: lParam frames so far
constexpr int UM_CAPTURE_STOPPED = 1245;  // 0x4DD, worker -> capture window: recording stopped
constexpr int UM_PROGRESS = 1246;         // 0x4DE, worker -> capture window: lParam percent
constexpr int UM_GENERATED = 1247;        // 0x4DF, worker -> capture window: generation finished
constexpr int UM_SEND_PROGRESS = 1334;    // 0x536, send thread -> dialog: lParam bytes sent
constexpr int UM_SEND_PORT = 1335;        // 0x537, send thread -> dialog: lParam listening port
constexpr int UM_SEND_DONE = 1336;        // 0x538, send thread -> dialog: lParam 1 done, 0 failed

// ---------------------------------------------------------------------------
// Every id above with its name.
// ---------------------------------------------------------------------------
struct ResourceIdEntry {
    const char* name;
    int value;
};

#define VEXLO_RESOURCE_ID(n) \
    ResourceIdEntry          \
    {                        \
#n, n                \
    }
inline constexpr ResourceIdEntry kResourceIds[] = {
    VEXLO_RESOURCE_ID(IDOK),
    VEXLO_RESOURCE_ID(IDCANCEL),
    // dialogs
    VEXLO_RESOURCE_ID(IDD_CAPTURE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_BOTTOM_DIALOG),
    VEXLO_RESOURCE_ID(IDD_LEFT_DIALOG),
    VEXLO_RESOURCE_ID(IDD_RIGHT_DIALOG),
    VEXLO_RESOURCE_ID(IDD_PREVIEW_DIALOG),
    VEXLO_RESOURCE_ID(IDD_ADDTEXT_DIALOG),
    VEXLO_RESOURCE_ID(IDD_BLANKNOTICE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_LOGOSETTING_DIALOG),
    VEXLO_RESOURCE_ID(IDD_UPDATE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_TXTLOGOSETTING_DIALOG),
    VEXLO_RESOURCE_ID(IDD_QRCODE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_FILTER_DIALOG),
    VEXLO_RESOURCE_ID(IDD_TEXTSCALE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_CINEMAGRAPH_DIALOG),
    VEXLO_RESOURCE_ID(IDD_SIZE_DIALOG),
    VEXLO_RESOURCE_ID(IDD_ABOUTBOX),
    // icons, bitmaps, menus
    VEXLO_RESOURCE_ID(IDI_MAINFRAME),
    VEXLO_RESOURCE_ID(IDB_ABOUT_BANNER),
    VEXLO_RESOURCE_ID(IDR_MORE_MENU),
    // More menu commands
    VEXLO_RESOURCE_ID(ID_RATE_25),
    VEXLO_RESOURCE_ID(ID_RATE_20),
    VEXLO_RESOURCE_ID(ID_RATE_15),
    VEXLO_RESOURCE_ID(ID_RATE_10),
    VEXLO_RESOURCE_ID(ID_RATE_5),
    VEXLO_RESOURCE_ID(ID_RATE_3),
    VEXLO_RESOURCE_ID(ID_RATE_1),
    VEXLO_RESOURCE_ID(ID_OPEN_GIF_FILE),
    VEXLO_RESOURCE_ID(ID_OPEN_GIF_CLIPBOARD),
    VEXLO_RESOURCE_ID(ID_MOUSE_NONE),
    VEXLO_RESOURCE_ID(ID_MOUSE_CURSOR),
    VEXLO_RESOURCE_ID(ID_MOUSE_RED),
    VEXLO_RESOURCE_ID(ID_MOUSE_GREEN),
    VEXLO_RESOURCE_ID(ID_MOUSE_YELLOW),
    VEXLO_RESOURCE_ID(ID_TOPMOST),
    VEXLO_RESOURCE_ID(ID_AERO_OFF),
    VEXLO_RESOURCE_ID(ID_RENDER),
    VEXLO_RESOURCE_ID(ID_PLAY_ONCE),
    VEXLO_RESOURCE_ID(ID_KEEP_WHITE),
    VEXLO_RESOURCE_ID(ID_LAST_10S),
    VEXLO_RESOURCE_ID(ID_TEXT_WATERMARK),
    VEXLO_RESOURCE_ID(ID_IMAGE_WATERMARK),
    VEXLO_RESOURCE_ID(ID_SEND_FONT),
    VEXLO_RESOURCE_ID(ID_HELP_WHYBLANK),
    VEXLO_RESOURCE_ID(ID_TEXT_SCALE),
    VEXLO_RESOURCE_ID(ID_CHECK_UPDATE),
    VEXLO_RESOURCE_ID(ID_APP_ABOUT),
    // capture window
    VEXLO_RESOURCE_ID(IDC_CAPTURE_CLOSE),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_MINIMIZE),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_SQUARE),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_OPEN),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_START_STOP),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_GIF),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_MORE),
    VEXLO_RESOURCE_ID(IDC_CAPTURE_EDIT),
    // text scale dialog
    VEXLO_RESOURCE_ID(IDC_TEXT_SCALE_SLIDER),
    // editor
    VEXLO_RESOURCE_ID(IDC_EDITOR_DELETE_CAPTION),
    VEXLO_RESOURCE_ID(IDC_EDITOR_ADD_CAPTION),
    VEXLO_RESOURCE_ID(IDC_EDITOR_SLOW_PLAY),
    VEXLO_RESOURCE_ID(IDC_EDITOR_DELETE_FRAMES),
    VEXLO_RESOURCE_ID(IDC_EDITOR_ADD_FRAMES),
    VEXLO_RESOURCE_ID(IDC_EDITOR_GENERATE),
    VEXLO_RESOURCE_ID(IDC_EDITOR_CROP),
    VEXLO_RESOURCE_ID(IDC_EDITOR_FILTER),
    VEXLO_RESOURCE_ID(IDC_EDITOR_REVERSE),
    VEXLO_RESOURCE_ID(IDC_EDITOR_SPEED),
    VEXLO_RESOURCE_ID(IDC_EDITOR_CINEMAGRAPH),
    VEXLO_RESOURCE_ID(IDC_EDITOR_CELL_EDIT),
    VEXLO_RESOURCE_ID(IDC_EDITOR_FONT_LIST),
    VEXLO_RESOURCE_ID(IDC_EDITOR_SIZE_LIST),
    VEXLO_RESOURCE_ID(IDC_EDITOR_TEXT_COLOR),
    VEXLO_RESOURCE_ID(IDC_EDITOR_BK_COLOR),
    VEXLO_RESOURCE_ID(IDC_EDITOR_BK_STYLE),
    VEXLO_RESOURCE_ID(IDC_EDITOR_BOLD),
    VEXLO_RESOURCE_ID(IDC_EDITOR_ITALIC),
    VEXLO_RESOURCE_ID(IDC_EDITOR_VERTICAL),
    VEXLO_RESOURCE_ID(IDC_EDITOR_CAPTION_LIST),
    VEXLO_RESOURCE_ID(IDC_EDITOR_SEPARATOR1),
    VEXLO_RESOURCE_ID(IDC_EDITOR_SEPARATOR2),
    VEXLO_RESOURCE_ID(IDC_EDITOR_BK_LABEL),
    // output size dialog
    VEXLO_RESOURCE_ID(IDC_SIZE_OK),
    VEXLO_RESOURCE_ID(IDC_SIZE_ORIGINAL),
    VEXLO_RESOURCE_ID(IDC_SIZE_X_LABEL),
    VEXLO_RESOURCE_ID(IDC_SIZE_WIDTH),
    VEXLO_RESOURCE_ID(IDC_SIZE_HEIGHT),
    VEXLO_RESOURCE_ID(IDC_SIZE_SLIDER),
    // image watermark dialog
    VEXLO_RESOURCE_ID(IDC_LOGO_ENABLE),
    VEXLO_RESOURCE_ID(IDC_LOGO_POS),
    VEXLO_RESOURCE_ID(IDC_LOGO_PREVIEW_FRAME),
    VEXLO_RESOURCE_ID(IDC_LOGO_SIZE_SLIDER),
    VEXLO_RESOURCE_ID(IDC_LOGO_SIZE_LABEL),
    VEXLO_RESOURCE_ID(IDC_LOGO_FILE),
    VEXLO_RESOURCE_ID(IDC_LOGO_BROWSE),
    // text watermark dialog
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_ENABLE),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_COLOR),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_POS),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_TEXT),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_BK_COLOR),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_PREVIEW_FRAME),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_SIZE),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_BK),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_BOLD),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_ITALIC),
    VEXLO_RESOURCE_ID(IDC_TXTLOGO_FONT),
    // cinemagraph dialog
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_PEN_SLIDER),
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_SAVE),
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_HELP),
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_STILL_FRAME),
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_BRUSH),
    VEXLO_RESOURCE_ID(IDC_CINEMAGRAPH_ERASER),
    // preview
    VEXLO_RESOURCE_ID(IDC_PREVIEW_VIEW),
    VEXLO_RESOURCE_ID(IDC_PREVIEW_INFO),
    VEXLO_RESOURCE_ID(IDC_PREVIEW_SAVE),
    VEXLO_RESOURCE_ID(IDC_PREVIEW_REDUCE),
    VEXLO_RESOURCE_ID(IDC_PREVIEW_HELP),
    VEXLO_RESOURCE_ID(IDC_PREVIEW_EDIT),
    // notice
    VEXLO_RESOURCE_ID(IDC_NOTICE_DONT_SHOW),
    VEXLO_RESOURCE_ID(IDC_NOTICE_LINK),
    // send to phone
    VEXLO_RESOURCE_ID(IDC_QRCODE_IP_LABEL),
    VEXLO_RESOURCE_ID(IDC_QRCODE_IP_LIST),
    VEXLO_RESOURCE_ID(IDC_QRCODE_GENERATE),
    // progress window
    VEXLO_RESOURCE_ID(IDC_PROGRESS_CANCEL),
    VEXLO_RESOURCE_ID(IDC_PROGRESS_TEXT),
    VEXLO_RESOURCE_ID(IDC_PROGRESS_BAR),
    // version check, About
    VEXLO_RESOURCE_ID(IDC_UPDATE_VIEW),
    VEXLO_RESOURCE_ID(IDC_UPDATE_VERSION),
    VEXLO_RESOURCE_ID(IDC_ABOUT_BANNER),
    VEXLO_RESOURCE_ID(IDC_ABOUT_VERSION),
    VEXLO_RESOURCE_ID(IDC_ABOUT_LEGAL),
    VEXLO_RESOURCE_ID(IDC_ABOUT_WEBSITE),
    VEXLO_RESOURCE_ID(IDC_ABOUT_SUPPORT),
    VEXLO_RESOURCE_ID(IDC_ABOUT_CUSTOM),
    // timers
    VEXLO_RESOURCE_ID(IDT_EDITOR_PLAYBACK),
    VEXLO_RESOURCE_ID(IDT_HYPERLINK),
    // strings
    VEXLO_RESOURCE_ID(IDS_GENERATING_WAIT),
    VEXLO_RESOURCE_ID(IDS_FILE_INCOMPLETE),
    VEXLO_RESOURCE_ID(IDS_NEW_CAPTION_TEXT),
    VEXLO_RESOURCE_ID(IDS_HELP_WHYBLANK),
    VEXLO_RESOURCE_ID(IDS_CONFIRM_REMOVE_FRAMES),
    VEXLO_RESOURCE_ID(IDS_CINEMAGRAPH_SET_STILL),
    VEXLO_RESOURCE_ID(IDS_CINEMAGRAPH_BRUSH_TIP),
    VEXLO_RESOURCE_ID(IDS_CINEMAGRAPH_ERASER_TIP),
    VEXLO_RESOURCE_ID(IDS_HELP_CINEMAGRAPH),
    VEXLO_RESOURCE_ID(IDS_CORNER_TOP_LEFT),
    VEXLO_RESOURCE_ID(IDS_CORNER_BOTTOM_LEFT),
    VEXLO_RESOURCE_ID(IDS_CORNER_TOP_RIGHT),
    VEXLO_RESOURCE_ID(IDS_CORNER_BOTTOM_RIGHT),
    VEXLO_RESOURCE_ID(IDS_INSERT_BEFORE),
    VEXLO_RESOURCE_ID(IDS_INSERT_AFTER),
    VEXLO_RESOURCE_ID(IDS_STILL_FRAME),
    VEXLO_RESOURCE_ID(IDS_APP_TITLE),
    // messages
    VEXLO_RESOURCE_ID(UM_END_CELL_EDIT),
    VEXLO_RESOURCE_ID(UM_LAYOUT_BARS),
    VEXLO_RESOURCE_ID(UM_FILTER_CHOSEN),
    VEXLO_RESOURCE_ID(UM_FILTER_CLICKED),
    VEXLO_RESOURCE_ID(UM_SHOW_FRAME),
    VEXLO_RESOURCE_ID(UM_START_CAPTURE),
    VEXLO_RESOURCE_ID(UM_STOP_CAPTURE),
    VEXLO_RESOURCE_ID(UM_GENERATE),
    VEXLO_RESOURCE_ID(UM_CAPTURE_TICK),
    VEXLO_RESOURCE_ID(UM_FRAME_COUNT),
    VEXLO_RESOURCE_ID(UM_CAPTURE_STOPPED),
    VEXLO_RESOURCE_ID(UM_PROGRESS),
    VEXLO_RESOURCE_ID(UM_GENERATED),
    VEXLO_RESOURCE_ID(UM_SEND_PROGRESS),
    VEXLO_RESOURCE_ID(UM_SEND_PORT),
    VEXLO_RESOURCE_ID(UM_SEND_DONE),
};
#undef VEXLO_RESOURCE_ID
