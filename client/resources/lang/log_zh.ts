<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>log_file_wt</name>
    <message>
        <source>Log file: none (logging into a file is off)</source>
        <translation>日志文件：无（未写入文件）</translation>
    </message>
    <message>
        <source>Log file: %1</source>
        <translation>日志文件：%1</translation>
    </message>
    <message>
        <source>open log folder(&amp;l)</source>
        <translation>打开日志文件夹(&amp;L)</translation>
    </message>
    <message>
        <source>log file information</source>
        <translation>日志文件信息</translation>
    </message>
    <message>
        <source>open the folder '%1' failed!</source>
        <translation>打开文件夹 '%1' 失败！</translation>
    </message>
</context>
</TS>
