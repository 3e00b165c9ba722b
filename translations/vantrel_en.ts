<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>vantrel::TForm1</name>
    <message>
        <source>&amp;文件</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;编辑</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;搜索</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>&amp;查看</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;工具</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;帮助</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;新建</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;打开...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;只读打开</source>
        <translation>Open &amp;read-only</translation>
    </message>
    <message>
        <source>&amp;保存</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;另存为...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>&amp;关闭</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>&amp;只读切换</source>
        <translation>&amp;Toggle read-only</translation>
    </message>
    <message>
        <source>&amp;文件信息</source>
        <translation>File &amp;information</translation>
    </message>
    <message>
        <source>&amp;打印</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>打印机设置...</source>
        <translation>Printer setup...</translation>
    </message>
    <message>
        <source>&amp;退出</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;剪切</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;复制</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;粘贴</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;撤销</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;重做</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;删除</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;全选</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>&amp;正常选择</source>
        <translation>&amp;Normal selection</translation>
    </message>
    <message>
        <source>&amp;选择列</source>
        <translation>Colu&amp;mn selection</translation>
    </message>
    <message>
        <source>&amp;选择行</source>
        <translation>&amp;Line selection</translation>
    </message>
    <message>
        <source>&amp;改变字体</source>
        <translation>Change &amp;font</translation>
    </message>
    <message>
        <source>&amp;自动换行</source>
        <translation>&amp;Word wrap</translation>
    </message>
    <message>
        <source>&amp;单词计数</source>
        <translation>Word c&amp;ount</translation>
    </message>
    <message>
        <source>&amp;重新搜索</source>
        <translation>Search &amp;again</translation>
    </message>
    <message>
        <source>&amp;向后搜索</source>
        <translation>Search &amp;backwards</translation>
    </message>
    <message>
        <source>&amp;替换</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>&amp;跳转行</source>
        <translation>&amp;Go to line</translation>
    </message>
    <message>
        <source>&amp;查找匹配括号</source>
        <translation>Find &amp;matching bracket</translation>
    </message>
    <message>
        <source>&amp;16进制查看</source>
        <translation>View in &amp;hex</translation>
    </message>
    <message>
        <source>&amp;显示行号</source>
        <translation>Show line &amp;numbers</translation>
    </message>
    <message>
        <source>&amp;当前行号</source>
        <translation>&amp;Current line</translation>
    </message>
    <message>
        <source>&amp;显示状态栏</source>
        <translation>Show status &amp;bar</translation>
    </message>
    <message>
        <source>&amp;显示右边界</source>
        <translation>Show right &amp;edge</translation>
    </message>
    <message>
        <source>&amp;全屏</source>
        <translation>&amp;Full screen</translation>
    </message>
    <message>
        <source>&amp;语法</source>
        <translation>&amp;Syntax</translation>
    </message>
    <message>
        <source>&amp;正常</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;基本转换</source>
        <translation>&amp;Base converter</translation>
    </message>
    <message>
        <source>&amp;ASCII码表</source>
        <translation>&amp;ASCII table</translation>
    </message>
    <message>
        <source>&amp;到小写</source>
        <translation>To &amp;lower case</translation>
    </message>
    <message>
        <source>&amp;到大写</source>
        <translation>To &amp;upper case</translation>
    </message>
    <message>
        <source>&amp;首字符大写</source>
        <translation>&amp;Capitalize first letters</translation>
    </message>
    <message>
        <source>&amp;插入时间日期</source>
        <translation>Insert &amp;time and date</translation>
    </message>
    <message>
        <source>&amp;执行命令行</source>
        <translation>E&amp;xecute command line</translation>
    </message>
    <message>
        <source>&amp;排序</source>
        <translation>&amp;Sort</translation>
    </message>
    <message>
        <source>&amp;监视文件</source>
        <translation>&amp;Monitor file</translation>
    </message>
    <message>
        <source>&amp;关于</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;打开</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;另存为</source>
        <translation>Save &amp;as</translation>
    </message>
</context>
<context>
    <name>vantrel::TForm2</name>
    <message>
        <source>跳转行号:</source>
        <translation>Go to line number:</translation>
    </message>
    <message>
        <source>&amp;确定</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;取消</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::TForm3</name>
    <message>
        <source>执行命令行</source>
        <translation>Execute command line</translation>
    </message>
    <message>
        <source>&amp;确定</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;取消</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::TForm4</name>
    <message>
        <source>16进制查看</source>
        <translation>Hex view</translation>
    </message>
</context>
<context>
    <name>vantrel::TForm7</name>
    <message>
        <source>关于 Vantrel Editor</source>
        <translation>About Vantrel Editor</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vantrel::Tasciiform</name>
    <message>
        <source>ASCII码表</source>
        <translation>ASCII code table</translation>
    </message>
    <message>
        <source>&amp;关闭</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>vantrel::Tbaseconv</name>
    <message>
        <source>基本转换</source>
        <translation>Base conversion</translation>
    </message>
    <message>
        <source>&amp;退出</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;转换</source>
        <translation>&amp;Convert</translation>
    </message>
</context>
<context>
    <name>vantrel::TTextSearchDialog</name>
    <message>
        <source>搜索文本</source>
        <translation>Search text</translation>
    </message>
    <message>
        <source>&amp;搜索:</source>
        <translation>Se&amp;arch:</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>大小写敏感</source>
        <translation>Case sensitive</translation>
    </message>
    <message>
        <source>整词匹配</source>
        <translation>Whole words</translation>
    </message>
    <message>
        <source>&amp;正则表达式</source>
        <translation>&amp;Regex</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>&amp;向前</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>&amp;向后</source>
        <translation>&amp;Backward</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::TTextReplaceDialog</name>
    <message>
        <source>替换文本</source>
        <translation>Replace text</translation>
    </message>
    <message>
        <source>替换为:</source>
        <translation>Replace with:</translation>
    </message>
</context>
</TS>
