<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>view_follow</name>
    <message>
        <source>follow</source>
        <translation>跟随</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>How often to look for new rows</source>
        <translation>多久查看一次新行</translation>
    </message>
    <message>
        <source>Add the table's new rows as they arrive, keeping the end time at the newest one</source>
        <translation>随新行到达将其添加到表格，并将结束时间保持为最新时间点</translation>
    </message>
    <message>
        <source>follow stopped: %1</source>
        <translation>跟随已停止：%1</translation>
    </message>
    <message>
        <source>follow paused: apply or discard the pending edits to go on</source>
        <translation>跟随已暂停：应用或放弃未提交的编辑以继续</translation>
    </message>
    <message>
        <source>the server lists no time range for the table</source>
        <translation>服务器未列出该表的时间范围</translation>
    </message>
    <message>
        <source>the view failed: %1</source>
        <translation>查看失败：%1</translation>
    </message>
    <message>
        <source>the view's columns differ from the grid's</source>
        <translation>查看结果的列与表格的列不同</translation>
    </message>
</context>
</TS>
