<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: luckydraw [--help | --version]

A lucky-draw program for a party evening: names flicker in large type until the
operator presses Stop, and the winners are written down at once.

It reads and writes the draw folder &quot;抽奖名单&quot; in the current directory:
</source>
        <translation>用法：luckydraw [--help | --version]

晚会抽奖程序：名字以大字不停滚动，直到操作者按下“停止”，中奖者随即记录下来。

程序读写当前目录下的抽奖文件夹“抽奖名单”：
</translation>
    </message>
    <message>
        <source>Keys:
  Space      starts and stops a draw (released anywhere in the window)
  PageDown   the same, as a presenter&apos;s clicker sends it, unless the page-key
             lock is on; a click on the pool caption &quot;抽奖名单[n]人&quot; switches
             the lock, and its tooltip says whether PageDown draws
  Escape     at the continue question: continues the previous record
  F5         shows the audience&apos;s view (on a second screen, full screen);
             Escape hides it, B or &quot;.&quot; blacks it out and back

A right click on the headline or the prize bar after a Stop puts a mistake
right: 撤销本次抽奖 withdraws the last draw, 改为其他奖项 moves it to another
prize, 标记缺席… marks winners absent so their replacements can be drawn.

</source>
        <translation>按键：
  空格键     开始或停止抽奖（在窗口中任意处松开）
  PageDown   同上（演讲用的翻页笔发送的就是此键），除非翻页键已锁定；单击名单标题
             “抽奖名单[n]人”可锁定或解锁，它的提示说明 PageDown 能否抽奖
  Esc        在启动时的继续提问中：继续上次的获奖记录
  F5         打开观众屏幕（在第二块屏幕上全屏显示）；Esc 关闭，B 或“.”黑屏或恢复

停止后在大字标题或奖项栏上单击右键可更正失误：“撤销本次抽奖”撤回最后一次抽奖，
“改为其他奖项”把它改到另一个奖项，“标记缺席…”把不在场的获奖者标记为缺席，以便补抽。

</translation>
    </message>
    <message>
        <source>Where the winners go: every Stop writes them at once. 抽奖名单/获奖记录.txt is
rewritten with the winners of every prize, and 抽奖名单/获奖明细.csv gains one row
per winner. At start the program asks &quot;是否继续上次的获奖记录？&quot;: Yes continues
the previous record; No starts a fresh one and keeps the old files beside it as
获奖记录-&lt;time&gt;.txt and 获奖明细-&lt;time&gt;.csv.

</source>
        <translation>中奖者的去处：每次“停止”都立即写入。抽奖名单/获奖记录.txt 重写为各奖项的中奖者，
抽奖名单/获奖明细.csv 为每位中奖者增加一行。启动时程序询问“是否继续上次的获奖记录？”：
选“是”继续上次的记录；选“否”开始新的记录，旧文件保留在旁边，名为
获奖记录-&lt;时间&gt;.txt 和 获奖明细-&lt;时间&gt;.csv。

</translation>
    </message>
    <message>
        <source>  --help     show this text and exit
  --version  show the version and exit
</source>
        <translation>  --help     显示本说明并退出
  --version  显示版本号并退出
</translation>
    </message>
    <message>
        <source>cannot open a window: %1</source>
        <translation>无法打开窗口：%1</translation>
    </message>
    <message>
        <source>no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)</source>
        <translation>没有可以显示窗口的屏幕（DISPLAY 和 WAYLAND_DISPLAY 都未设置）</translation>
    </message>
    <message>
        <source>no display to show the window on (%1 is not set for QT_QPA_PLATFORM=%2)</source>
        <translation>没有可以显示窗口的屏幕（QT_QPA_PLATFORM=%2 所需的 %1 未设置）</translation>
    </message>
    <message>
        <source>It reads files saved as GBK (Chinese Windows&apos; code page), UTF-8 or UTF-16, and
writes its own files in GBK, but for the spreadsheet 获奖明细.csv: that is UTF-8
with a byte-order mark, which Excel, WPS and LibreOffice open on any system. The
sounds drum.wav and gong.wav are read from the program&apos;s own folder.

</source>
        <translation>可读取以 GBK（中文 Windows 的代码页）、UTF-8 或 UTF-16 保存的文件；程序自己写的文件
为 GBK，只有获奖明细.csv 为带 BOM 的 UTF-8，任何语言的系统上都可用 Excel、WPS 或
LibreOffice 直接打开。音效 drum.wav 和 gong.wav 从程序所在的文件夹读取。

</translation>
    </message>
</context>
<context>
    <name>Corrections</name>
    <message numerus="yes">
        <source>Withdraw the last draw of %1? Its %n name(s) leave the winners and go back into the draw where they stood.</source>
        <translation>
            <numerusform>撤销%1的本次抽奖？这 %n 人将不再是获奖者，并回到抽奖名单中原来的位置。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move the last draw (%n name(s)) from %1 to %2?</source>
        <translation>
            <numerusform>将本次抽奖（%n 人）从%1改为%2？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Mark %n winner(s) of %1 absent: %2?

They leave the winners and do not go back into the draw; %1 is then selected with the draw size %n to draw their replacements.</source>
        <translation>
            <numerusform>将%1的 %n 名获奖者标记为缺席：%2？

他们将不再是获奖者，也不会回到抽奖名单；随后选中%1，本次选出 %n 人，用于补抽。</numerusform>
        </translation>
    </message>
    <message>
        <source>The winners spreadsheet 获奖明细.csv cannot be written, so nobody was marked absent. Close it in the program that holds it and try again.</source>
        <translation>获奖明细.csv 无法写入，因此没有人被标记为缺席。请在占用它的程序中关闭该文件后重试。</translation>
    </message>
</context>
<context>
    <name>DrawFolderFiles</name>
    <message>
        <source>the candidates, one name a line</source>
        <translation>候选人名单，每行一个名字</translation>
    </message>
    <message>
        <source>picture, headline and number of prizes (lines 2, 4, 6)</source>
        <translation>图片、标题和奖项数（第 2、4、6 行）</translation>
    </message>
    <message>
        <source>the prize names, one a line</source>
        <translation>奖项名称，每行一个</translation>
    </message>
    <message>
        <source>the winners record, rewritten after every draw</source>
        <translation>获奖记录，每次抽奖后重写</translation>
    </message>
    <message>
        <source>the winners as a spreadsheet, a row added for each winner</source>
        <translation>获奖明细表格，每位中奖者增加一行</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Cannot open file &quot;%1&quot; in an editor: no program to open it was found</source>
        <translation>无法用编辑器打开文件“%1”：找不到能打开它的程序</translation>
    </message>
</context>
<context>
    <name>FileText</name>
    <message>
        <source>%1 lines in all</source>
        <translation>共 %1 行</translation>
    </message>
    <message>
        <source>Cannot convert file &quot;%1&quot;: it begins with a UTF-8 mark, but these lines hold bytes that are not UTF-8: %2. The file is read as it stands</source>
        <translation>无法转换文件“%1”：文件以 UTF-8 标记开头，但以下各行含有不属于 UTF-8 的字节：%2。文件按原样读入</translation>
    </message>
    <message>
        <source>Cannot convert file &quot;%1&quot;: it begins with a UTF-16 mark, but these lines hold units that are not UTF-16: %2. The file is read as it stands</source>
        <translation>无法转换文件“%1”：文件以 UTF-16 标记开头，但以下各行含有不属于 UTF-16 的编码单元：%2。文件按原样读入</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>File is larger than 64 MB</source>
        <translation>文件大于 64 MB</translation>
    </message>
    <message>
        <source>System error %1</source>
        <translation>系统错误 %1</translation>
    </message>
</context>
<context>
    <name>Guard</name>
    <message>
        <source>Out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message numerus="yes">
        <source>The winners record names winners of %1, but the prize count (line 6 of 基础配置.ini) shows only %n prize(s). These winners stay in the record and out of the draw; correct the prize count and restart to show them.</source>
        <translation>
            <numerusform>获奖记录中有%1的获奖者，但奖项个数（基础配置.ini 第 6 行）只显示 %n 个奖项。这些获奖者仍保留在获奖记录中，不再参加抽奖；请改正奖项个数后重新打开软件以显示这些奖项</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The previous record names %n winner(s). Starting afresh puts them all back into the draw, where they can win again.

Continue the previous record?</source>
        <translation>
            <numerusform>上次的获奖记录中有 %n 名获奖者。重新开始会让他们全部回到抽奖名单，可能再次中奖。

是否继续上次的获奖记录？</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StaffList</name>
    <message>
        <source>A draw is running: import the staff list &quot;%1&quot; after it has been stopped or cancelled</source>
        <translation>正在抽奖：请在停止或取消本轮抽奖后再导入名单“%1”</translation>
    </message>
    <message>
        <source>The staff list &quot;%1&quot; holds no rows; the pool stays as it is</source>
        <translation>名单“%1”中没有任何一行，抽奖名单保持不变</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n name(s) from &quot;%1&quot; into the pool and the candidate list file.</source>
        <translation>
            <numerusform>已从“%1”导入 %n 个名字，写入名单文件并载入抽奖名单。</numerusform>
        </translation>
    </message>
    <message>
        <source>Rows read: %1.</source>
        <translation>读取行数：%1。</translation>
    </message>
    <message>
        <source>Blank rows skipped: %1 (rows %2).</source>
        <translation>跳过空行：%1 个（第 %2 行）。</translation>
    </message>
    <message>
        <source>Cells that are not text (numbers, dates), taken as the sheet shows them: rows %1.</source>
        <translation>非文本单元格（数字、日期）按表格中的写法取用：第 %1 行。</translation>
    </message>
    <message>
        <source>Names that occur more than once: %1.</source>
        <translation>重名：%1 个。</translation>
    </message>
    <message>
        <source>  %1: rows %2</source>
        <translation>  %1：第 %2 行</translation>
    </message>
    <message>
        <source>  %1: rows %2, told apart by %3</source>
        <translation>  %1：第 %2 行，已用“%3”区分</translation>
    </message>
    <message>
        <source>  %1: rows %2, still alike with %3</source>
        <translation>  %1：第 %2 行，加上“%3”后仍然相同</translation>
    </message>
    <message>
        <source>  … and %1 more.</source>
        <translation>  ……另有 %1 个。</translation>
    </message>
    <message>
        <source>Left out, already recorded as winners: %1 (%2).</source>
        <translation>已记录为中奖者、不再加入：%1 人（%2）。</translation>
    </message>
    <message>
        <source>The previous candidate list file is kept as &quot;%1&quot;.</source>
        <translation>原来的名单文件已另存为“%1”。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no Excel workbook (.xlsx): it is not a zip archive. A workbook of the older form (.xls) or one protected by a password must first be saved in Excel or WPS as .xlsx without a password</source>
        <translation>“%1”不是 Excel 工作簿（.xlsx）：它不是 zip 压缩包。旧格式（.xls）或设有密码的工作簿，请先在 Excel 或 WPS 中另存为不带密码的 .xlsx</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot; as an Excel workbook: its part %2 is missing or damaged</source>
        <translation>无法把“%1”作为 Excel 工作簿读取：其中的 %2 缺失或已损坏</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot; as an Excel workbook: its part %2 is not well-formed XML (line %3)</source>
        <translation>无法把“%1”作为 Excel 工作簿读取：其中的 %2 不是格式正确的 XML（第 %3 行）</translation>
    </message>
</context>
<context>
    <name>Start</name>
    <message>
        <source>Lucky draw</source>
        <translation>抽奖</translation>
    </message>
    <message>
        <source>This Qt build cannot convert GBK text (ICU is missing).</source>
        <translation>此 Qt 版本无法转换 GBK 文本（缺少 ICU）。</translation>
    </message>
    <message>
        <source>The program is already running in this draw folder. Use the window that is open; a second window would overwrite its winners record.</source>
        <translation>本软件已在此抽奖文件夹中运行。请使用已打开的窗口；再开一个窗口会覆盖它的获奖记录</translation>
    </message>
</context>
</TS>
