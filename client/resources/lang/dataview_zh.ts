<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>表单</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation>数字显示模式</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>十进制</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>二进制</translation>
    </message>
    <message>
        <source>max k</source>
        <translation>最多行数</translation>
    </message>
    <message>
        <source>Begin Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End   Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>filter this</source>
        <translation>按此时间过滤</translation>
    </message>
    <message>
        <source>append filter</source>
        <translation>追加过滤</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>查找文本</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>替换文本</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>导出视图数据</translation>
    </message>
    <message>
        <source>applying the changes to table '%1'</source>
        <translation>正在将修改应用到表 '%1'</translation>
    </message>
    <message>
        <source>apply result</source>
        <translation>应用结果</translation>
    </message>
    <message>
        <source>apply changes to table '%1' is %2!</source>
        <translation>应用修改到表 '%1' %2!</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>%1 of %2 commands went to the server.</source>
        <translation>%2 条命令中有 %1 条已发送到服务器。</translation>
    </message>
    <message>
        <source>This command failed: %1</source>
        <translation>失败的命令: %1</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>未应用的修改</translation>
    </message>
    <message>
        <source>%1 edited or added rows are not applied yet, and a new view drops them. Apply them first?</source>
        <translation>%1 行编辑或新增的数据尚未应用，新的视图会丢弃它们。先应用吗？</translation>
    </message>
    <message>
        <source>The changes that did not go are dropped by the reload.</source>
        <translation>未发送的修改在重新加载时被丢弃。</translation>
    </message>
    <message>
        <source>%1 edited or added rows of table '%2' are not applied yet.</source>
        <translation>表 '%2' 中有 %1 行编辑或新增的数据尚未应用。</translation>
    </message>
</context>
<context>
    <name>view_export</name>
    <message>
        <source>export table result</source>
        <translation>导出表结果</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>导出表 '%1' 到文件 '%2' %3!</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
</context>
<context>
    <name>window_closing</name>
    <message>
        <source>pending changes</source>
        <translation>未应用的修改</translation>
    </message>
    <message>
        <source>Apply sends them and then closes the window, Discard drops them, Cancel keeps the window open.</source>
        <translation>“应用”发送这些修改后关闭窗口，“丢弃”放弃这些修改，“取消”保留窗口。</translation>
    </message>
</context>
<context>
    <name>load_size</name>
    <message>
        <source>load every row</source>
        <translation>加载全部行</translation>
    </message>
    <message>
        <source>Table '%1' has %2 rows. Loading them all takes about %3 of memory, more than a quarter of this machine's %4.

Load every row anyway?</source>
        <translation>表 '%1' 有 %2 行。全部加载约需 %3 内存，超过本机 %4 内存的四分之一。

仍然加载全部行吗？</translation>
    </message>
</context>
</TS>
