<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>date_time_wt</name>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="55"/>
        <source>time of day: hours:minutes:seconds, optionally with a fraction of the second</source>
        <translation>一天中的时间：时:分:秒，可带秒的小数部分</translation>
    </message>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="56"/>
        <source>hh:mm:ss</source>
        <translation>时:分:秒</translation>
    </message>
</context>
</TS>
