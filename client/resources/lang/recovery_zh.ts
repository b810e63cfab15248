<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>restore unsaved changes</source>
        <translation>恢复未保存的修改</translation>
    </message>
    <message>
        <source>the client ended without saving the changes of &quot;%1&quot; (last change %2 ago).
%3
Yes puts them into its tab, where they wait to be saved; No discards them.</source>
        <translation>客户端结束时未保存“%1”的修改（最后修改于 %2 前）。
%3
“是”将修改放回其标签页，等待保存；“否”丢弃这些修改。</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n 分钟</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n 小时</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n 天</numerusform>
        </translation>
    </message>
</context>
</TS>
