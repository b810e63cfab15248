<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>date_time_wt</name>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="55"/>
        <source>time of day: hours:minutes:seconds, optionally with a fraction of the second</source>
        <translation>時刻：時:分:秒（秒の小数部も指定可能）</translation>
    </message>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="56"/>
        <source>hh:mm:ss</source>
        <translation>時:分:秒</translation>
    </message>
</context>
</TS>
