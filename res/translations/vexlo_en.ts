<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>网站:</source>
        <translation>Web site:</translation>
    </message>
    <message>
        <source>支持:</source>
        <translation>Support:</translation>
    </message>
</context>
<context>
    <name>CAddTextDlg</name>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>增加一条字幕</source>
        <translation>Add a caption</translation>
    </message>
    <message>
        <source>删除字幕</source>
        <translation>Delete caption</translation>
    </message>
    <message>
        <source>竖排</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>文字背景:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>滤镜: 无</source>
        <translation>Filter: none</translation>
    </message>
    <message>
        <source>滤镜: %1</source>
        <translation>Filter: %1</translation>
    </message>
    <message>
        <source>删除或取消删除</source>
        <translation>Delete or undelete</translation>
    </message>
    <message>
        <source>彻底移除(不可恢复)</source>
        <translation>Remove for good (cannot be undone)</translation>
    </message>
    <message>
        <source>加快动画速度</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>减慢动画速度</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>在时间上逆序</source>
        <translation>Reverse in time</translation>
    </message>
    <message>
        <source>左旋 90 度</source>
        <translation>Rotate left 90°</translation>
    </message>
    <message>
        <source>右旋 90 度</source>
        <translation>Rotate right 90°</translation>
    </message>
    <message>
        <source>上下翻转</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <source>左右翻转</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>开始于*帧</source>
        <translation>Starts at frame</translation>
    </message>
    <message>
        <source>结束于*帧</source>
        <translation>Ends at frame</translation>
    </message>
    <message>
        <source>字幕 (双击修改内容，回车保存修改)</source>
        <translation>Caption (double-click to change, Enter to save)</translation>
    </message>
    <message>
        <source>横座标</source>
        <translation>X</translation>
    </message>
    <message>
        <source>纵座标</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>添加帧</source>
        <translation>Add frames</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete frames</translation>
    </message>
    <message>
        <source>滤镜</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Cinemagraph</source>
        <translation>Cinemagraph</translation>
    </message>
    <message>
        <source>裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>倒序</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>慢镜播放</source>
        <translation>Slow motion</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>生成动画</source>
        <translation>Make GIF</translation>
    </message>
    <message>
        <source>添加字幕</source>
        <translation>Add caption</translation>
    </message>
    <message>
        <source>不用了</source>
        <translation>None</translation>
    </message>
    <message>
        <source>方框</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>细描边</source>
        <translation>Thin outline</translation>
    </message>
    <message>
        <source>粗描边</source>
        <translation>Thick outline</translation>
    </message>
</context>
<context>
    <name>CBlankNoticeDlg</name>
    <message>
        <source>您生成的动画文件大于 2M 了？

百度贴吧/微博/聊天表情等，都对动画文件的大小有限制。超过大小，文件将无法上传，或者被显示为静态图像。

您可以在预览窗口查看动画文件的大小，</source>
        <translation>Your animation is larger than 2 MB.

Forums, microblogs and chat stickers limit the size of animations. A larger file cannot be uploaded, or is shown as a still picture.

The preview window shows the size of the animation; </translation>
    </message>
    <message>
        <source>友情提醒</source>
        <translation>Friendly reminder</translation>
    </message>
    <message>
        <source>也可以到我们官网了解如何减小动画文件大小。</source>
        <translation>our web site also explains how to make animations smaller.</translation>
    </message>
    <message>
        <source>我已经知道了，下次请不要再重复告诉我了</source>
        <translation>I know; do not tell me again</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CCaptureDlg</name>
    <message>
        <source>字体文件(*.ttf)|*.ttf||</source>
        <translation>Font files (*.ttf)|*.ttf||</translation>
    </message>
</context>
<context>
    <name>CCinemagraphDlg</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>画笔：</source>
        <translation>Pen:</translation>
    </message>
    <message>
        <source>Cinemagraph</source>
        <translation>Cinemagraph</translation>
    </message>
</context>
<context>
    <name>CFilterDialog</name>
    <message>
        <source>滤镜</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>CLogoSettingDlg</name>
    <message>
        <source>自定义水印设置</source>
        <translation>Watermark settings</translation>
    </message>
    <message>
        <source>我希望把下面的小图片文件，以水印的方式，贴在我制作的GIF动画上:</source>
        <translation>Stamp the small picture below as a watermark on the GIFs I make:</translation>
    </message>
    <message>
        <source>请把下面文件作为图片水印：</source>
        <translation>Use this file as the picture watermark:</translation>
    </message>
    <message>
        <source>水印位置：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>水印宽度：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>pixels</translation>
    </message>
</context>
<context>
    <name>CMoreMenu</name>
    <message>
        <source>抓取视频的频率</source>
        <translation>Capture rate</translation>
    </message>
    <message>
        <source>25帧/秒</source>
        <translation>25 frames/s</translation>
    </message>
    <message>
        <source>20帧/秒</source>
        <translation>20 frames/s</translation>
    </message>
    <message>
        <source>15帧/秒</source>
        <translation>15 frames/s</translation>
    </message>
    <message>
        <source>10帧/秒</source>
        <translation>10 frames/s</translation>
    </message>
    <message>
        <source>5帧/秒</source>
        <translation>5 frames/s</translation>
    </message>
    <message>
        <source>3帧/秒</source>
        <translation>3 frames/s</translation>
    </message>
    <message>
        <source>1帧/秒</source>
        <translation>1 frame/s</translation>
    </message>
    <message>
        <source>修改现有的GIF动画</source>
        <translation>Edit an existing GIF</translation>
    </message>
    <message>
        <source>来自我的电脑</source>
        <translation>From this computer</translation>
    </message>
    <message>
        <source>来自剪贴板</source>
        <translation>From the clipboard</translation>
    </message>
    <message>
        <source>录制鼠标轨迹</source>
        <translation>Record the mouse pointer</translation>
    </message>
    <message>
        <source>不录制鼠标轨迹</source>
        <translation>Do not record the pointer</translation>
    </message>
    <message>
        <source>录制鼠标轨迹但不带背景色</source>
        <translation>Record the pointer without a background</translation>
    </message>
    <message>
        <source>录制鼠标轨迹且带红色背景</source>
        <translation>Record the pointer on a red background</translation>
    </message>
    <message>
        <source>录制鼠标轨迹且带绿色背景</source>
        <translation>Record the pointer on a green background</translation>
    </message>
    <message>
        <source>录制鼠标轨迹且带黄色背景</source>
        <translation>Record the pointer on a yellow background</translation>
    </message>
    <message>
        <source>置顶显示</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>关闭透明效果以提高性能（Win7下重启软件有效）</source>
        <translation>Turn off transparency effects for speed (Windows 7, after a restart)</translation>
    </message>
    <message>
        <source>生成动画时打开渲染（推荐）</source>
        <translation>Dither when making the GIF (recommended)</translation>
    </message>
    <message>
        <source>生成只播放一次的动画（可植入PPT文件）</source>
        <translation>Make GIFs that play once (for slides)</translation>
    </message>
    <message>
        <source>生成的动图强制保留白色（不推荐）</source>
        <translation>Force pure white to stay white (not recommended)</translation>
    </message>
    <message>
        <source>只保留录制的最后十秒（常用于视频直播场景）</source>
        <translation>Keep only the last ten seconds (for live streams)</translation>
    </message>
    <message>
        <source>在动画上自动贴上我的水印</source>
        <translation>Stamp my watermark on the GIF</translation>
    </message>
    <message>
        <source>文字水印</source>
        <translation>Text watermark</translation>
    </message>
    <message>
        <source>图像水印</source>
        <translation>Picture watermark</translation>
    </message>
    <message>
        <source>发送字体文件到本软件的手机版</source>
        <translation>Send a font file to the phone app</translation>
    </message>
    <message>
        <source>为什么我生成的GIF动画是黑色的</source>
        <translation>Why is my GIF black?</translation>
    </message>
    <message>
        <source>（适用高分辨电脑）调节界面文字大小</source>
        <translation>Text size of the interface (high-resolution screens)</translation>
    </message>
    <message>
        <source>检测新版本...</source>
        <translation>Check for a new version...</translation>
    </message>
    <message>
        <source>关于...</source>
        <translation>About...</translation>
    </message>
</context>
<context>
    <name>CPreviewDlg</name>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>发布为微信动画表情（教程）</source>
        <translation>Publish as a WeChat sticker (tutorial)</translation>
    </message>
    <message>
        <source>复制到QQ/微信电脑版聊天窗口,剪贴板</source>
        <translation>Copy for QQ/WeChat desktop chat (clipboard)</translation>
    </message>
    <message>
        <source>发送到本软件的手机版...</source>
        <translation>Send to the phone app...</translation>
    </message>
    <message>
        <source>保存到电脑...</source>
        <translation>Save to this computer...</translation>
    </message>
    <message>
        <source>为什么生成的动画是黑的</source>
        <translation>Why is my animation black?</translation>
    </message>
    <message>
        <source>如何减小动画文件大小</source>
        <translation>How to make the animation smaller</translation>
    </message>
    <message>
        <source>如何调节动画速度</source>
        <translation>How to change the animation speed</translation>
    </message>
    <message>
        <source>系统拒绝访问目的文件目录。请确认您的用户权限。</source>
        <translation>The system refused access to the destination folder. Please check your permissions.</translation>
    </message>
    <message>
        <source>压缩动画</source>
        <translation>Compress</translation>
    </message>
    <message>
        <source>画质最好但文件最大</source>
        <translation>Best quality, largest file</translation>
    </message>
    <message>
        <source>画质较好</source>
        <translation>Good quality</translation>
    </message>
    <message>
        <source>画质一般</source>
        <translation>Medium quality</translation>
    </message>
    <message>
        <source>画质较差</source>
        <translation>Lower quality</translation>
    </message>
    <message>
        <source>画质最差但文件最小</source>
        <translation>Lowest quality, smallest file</translation>
    </message>
    <message>
        <source>黑白效果</source>
        <translation>Black and white</translation>
    </message>
</context>
<context>
    <name>CQRCodeDlg</name>
    <message>
        <source>1.请在安卓各大应用市场上下载“Loopkit”手机版。</source>
        <translation>1. Install the “Loopkit” phone app from your Android app store.</translation>
    </message>
    <message>
        <source>2.确保你的手机和电脑在同一WiFi局域网上.</source>
        <translation>2. Make sure your phone and this computer are on the same Wi-Fi network.</translation>
    </message>
    <message>
        <source>3.打开“Loopkit”，扫描下图二维码，即可把GIF动图或字体发送到手机上。</source>
        <translation>3. Open “Loopkit” and scan the QR code below to send the GIF or font to your phone.</translation>
    </message>
    <message>
        <source>您的电脑有多个IP地址，请选择一个用来发送文件：</source>
        <translation>This computer has several IP addresses. Choose the one to send the file from:</translation>
    </message>
    <message>
        <source>扫描二维码</source>
        <translation>Scan the QR code</translation>
    </message>
    <message>
        <source>文件传输异常</source>
        <translation>The file transfer failed</translation>
    </message>
    <message>
        <source>文件传输成功</source>
        <translation>The file was sent</translation>
    </message>
    <message>
        <source>正在传输文件。已发送 %1 字节, 剩余 %2 字节</source>
        <translation>Sending the file. %1 bytes sent, %2 bytes left</translation>
    </message>
    <message>
        <source>正在传输文件，请稍候</source>
        <translation>The file is being sent, please wait</translation>
    </message>
    <message>
        <source>生成二维码</source>
        <translation>Make the QR code</translation>
    </message>
</context>
<context>
    <name>CSizeDlg</name>
    <message>
        <source>输出GIF的宽高（建议500x500以内）</source>
        <translation>Width and height of the GIF (500x500 or less recommended)</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>原始尺寸：</source>
        <translation>Original size:</translation>
    </message>
    <message>
        <source>输出尺寸：</source>
        <translation>Output size:</translation>
    </message>
</context>
<context>
    <name>CTextScaleDlg</name>
    <message>
        <source>调节界面文字大小</source>
        <translation>Text size of the interface</translation>
    </message>
    <message>
        <source>在部分高分辨率电脑上，本软件的界面文字可能显示较小。你可以放大显示它们。

显示比例（重启软件后有效）：</source>
        <translation>On some high-resolution screens the texts of this program may look small. You can enlarge them.

Scale (takes effect after a restart):</translation>
    </message>
</context>
<context>
    <name>CTxtLogoSettingDlg</name>
    <message>
        <source>自定义水印设置</source>
        <translation>Watermark settings</translation>
    </message>
    <message>
        <source>将下述文本作为水印添加到所有生成的GIF图片中:</source>
        <translation>Stamp the text below as a watermark on every GIF I make:</translation>
    </message>
    <message>
        <source>位置：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>文本：</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>按回车键更新</source>
        <translation>Press Enter to apply</translation>
    </message>
    <message>
        <source>文本颜色：</source>
        <translation>Text colour:</translation>
    </message>
    <message>
        <source>文本大小：</source>
        <translation>Text size:</translation>
    </message>
    <message>
        <source>文本字体：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>背景颜色：</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>加粗</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
</context>
<context>
    <name>CUpdateDlg</name>
    <message>
        <source>检测新版本</source>
        <translation>Check for a new version</translation>
    </message>
    <message>
        <source>本机的安装版本：</source>
        <translation>Installed version:</translation>
    </message>
    <message>
        <source>检测到最新版本：</source>
        <translation>Latest version:</translation>
    </message>
</context>
<context>
    <name>CaptureButtons</name>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>生成动画</source>
        <translation>Make GIF</translation>
    </message>
    <message>
        <source>更多</source>
        <translation>More</translation>
    </message>
</context>
<context>
    <name>CaptureGeometry</name>
    <message>
        <source>Top Left: %d, %d</source>
        <translation>Top Left: %d, %d</translation>
    </message>
    <message>
        <source>Size: %d*%d</source>
        <translation>Size: %d*%d</translation>
    </message>
    <message>
        <source>%d Frames</source>
        <translation>%d Frames</translation>
    </message>
    <message>
        <source>%.1f Secs </source>
        <translation>%.1f Secs </translation>
    </message>
    <message>
        <source>Creating: %d%%</source>
        <translation>Creating: %d%%</translation>
    </message>
</context>
<context>
    <name>CropMode</name>
    <message>
        <source>确定裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FileFilters</name>
    <message>
        <source>动画GIF文件(*.gif)|*.gif||</source>
        <translation>Animated GIF files (*.gif)|*.gif||</translation>
    </message>
</context>
<context>
    <name>FilterListView</name>
    <message>
        <source>应用 &gt;&gt;</source>
        <translation>Apply &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>FilterPreviews</name>
    <message>
        <source>原图</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>滤镜1: 阿宝色</source>
        <translation>Filter 1: A-Bao colour</translation>
    </message>
    <message>
        <source>滤镜2: 哥特风</source>
        <translation>Filter 2: Gothic</translation>
    </message>
    <message>
        <source>滤镜3: 复古lomo</source>
        <translation>Filter 3: Retro lomo</translation>
    </message>
    <message>
        <source>滤镜4: 复古</source>
        <translation>Filter 4: Retro</translation>
    </message>
    <message>
        <source>滤镜5: 古铜</source>
        <translation>Filter 5: Bronze</translation>
    </message>
    <message>
        <source>滤镜6: 粉红佳人</source>
        <translation>Filter 6: Pink lady</translation>
    </message>
    <message>
        <source>滤镜7: 淡雅</source>
        <translation>Filter 7: Soft</translation>
    </message>
    <message>
        <source>滤镜8: 暖化</source>
        <translation>Filter 8: Warm</translation>
    </message>
    <message>
        <source>滤镜9: 青阶</source>
        <translation>Filter 9: Cyan</translation>
    </message>
    <message>
        <source>滤镜10: 艳丽</source>
        <translation>Filter 10: Vivid</translation>
    </message>
    <message>
        <source>滤镜11: 金黄</source>
        <translation>Filter 11: Golden</translation>
    </message>
    <message>
        <source>滤镜12: 蓝调</source>
        <translation>Filter 12: Blue tone</translation>
    </message>
    <message>
        <source>滤镜13: 日系</source>
        <translation>Filter 13: Japanese</translation>
    </message>
    <message>
        <source>滤镜14: 新日系</source>
        <translation>Filter 14: New Japanese</translation>
    </message>
    <message>
        <source>滤镜15: 经典影楼</source>
        <translation>Filter 15: Classic studio</translation>
    </message>
</context>
<context>
    <name>GifImportRefusal</name>
    <message>
        <source>这个GIF动画有%1帧，每帧%2×%3，打开需要%4 MB内存，超过了上限%5 MB，无法打开。</source>
        <translation>This GIF animation has %1 frames of %2×%3; opening it needs %4 MB of memory, more than the limit of %5 MB, so it cannot be opened.</translation>
    </message>
    <message>
        <source>内存不足，无法打开这个GIF动画。</source>
        <translation>Not enough memory to open this GIF animation.</translation>
    </message>
</context>
<context>
    <name>ModalProgress</name>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>正在生成GIF，请稍等..</source>
        <translation>Making the GIF, please wait...</translation>
    </message>
    <message>
        <source>该文件不完整，无法打开。如果它来自网络，建议您重新获取。</source>
        <translation>This file is incomplete and cannot be opened. If it came from the Internet, please download it again.</translation>
    </message>
    <message>
        <source>双击字幕栏的文字来修改内容</source>
        <translation>Double-click the text in the caption list to change it</translation>
    </message>
    <message>
        <source>确定要删除选中的帧吗？
请注意，您不能删除所有的帧。

删除以后，您可能需要手动调整，窗口下部每条字幕出现的时间位置。</source>
        <translation>Remove the selected frames?
Note that you cannot remove all frames.

Afterwards you may need to adjust by hand the frames on which each caption in the lower part of the window appears.</translation>
    </message>
    <message>
        <source>Cinemagraph要求指定一帧，提供序列里画面静止的部分。

要设置当前帧为该帧吗？</source>
        <translation>A cinemagraph needs one frame that provides the still parts of the picture.

Use the current frame as that frame?</translation>
    </message>
    <message>
        <source>画笔
请在帧画面上涂抹，你希望它运动的区域</source>
        <translation>Brush
Paint over the parts of the frame that should move</translation>
    </message>
    <message>
        <source>橡皮擦
请在帧画面上涂抹，你希望保持静止的区域</source>
        <translation>Eraser
Paint over the parts of the frame that should stay still</translation>
    </message>
    <message>
        <source>左上角</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>左下角</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>右上角</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>右下角</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>在第 %d 帧之前插入</source>
        <translation>Insert before frame %d</translation>
    </message>
    <message>
        <source>在第 %d 帧之后插入</source>
        <translation>Insert after frame %d</translation>
    </message>
    <message>
        <source>静态帧:%d</source>
        <translation>Still frame: %d</translation>
    </message>
</context>
<context>
    <name>XListView</name>
    <message>
        <source>保存该帧为静态图像</source>
        <translation>Save this frame as a picture</translation>
    </message>
    <message>
        <source>删除/取消</source>
        <translation>Delete/undelete</translation>
    </message>
</context>
<context>
    <name>cinemagraph</name>
    <message>
        <source>Cinemagraph...</source>
        <translation>Cinemagraph...</translation>
    </message>
</context>
<context>
    <name>hyperlink</name>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>The operating system is out
of memory or resources.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>The specified file was not found.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>The specified path was not found.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>The operating system denied
access to the specified file.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>There was not enough memory to complete the operation.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>A sharing violation occurred. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>The filename association is
incomplete or invalid.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>The DDE transaction could not
be completed because the request timed out.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>The DDE transaction failed.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>The DDE transaction could not
be completed because other DDE transactions
were being processed.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>There is no application associated
with the given filename extension.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>The specified dynamic-link library was not found.</translation>
    </message>
    <message>
        <source>Unknown Error (%d) occurred.</source>
        <translation>Unknown Error (%d) occurred.</translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Unable to open hyperlink:

</translation>
    </message>
</context>
<context>
    <name>qrpayload</name>
    <message>
        <source>“%1”不是 IPv4 地址。</source>
        <translation>“%1” is not an IPv4 address.</translation>
    </message>
    <message>
        <source>字体文件名“%1”太长（UTF-8 编码 %2 字节，最多 %3 字节），无法发送到手机。请把文件改个短一些的名字再发送。</source>
        <translation>The font file name “%1” is too long (%2 bytes in UTF-8, at most %3), so it cannot be sent to the phone. Give the file a shorter name and send it again.</translation>
    </message>
    <message>
        <source>字体文件名无效。</source>
        <translation>The font file name is not valid.</translation>
    </message>
    <message>
        <source>端口 %1 无效。</source>
        <translation>Port %1 is not valid.</translation>
    </message>
</context>
</TS>
