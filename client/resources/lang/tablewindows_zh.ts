<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>new table</source>
        <translation>新建表</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>向表添加字段: %1</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>查看表的字段: %1</translation>
    </message>
    <message>
        <source>rename field '%2' of table: %1</source>
        <translation>重命名字段 '%2'，表: %1</translation>
    </message>
    <message>
        <source>modify field '%2' of table: %1</source>
        <translation>修改字段 '%2'，表: %1</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>表的数据: %1</translation>
    </message>
    <message>
        <source>table fields</source>
        <translation>表字段</translation>
    </message>
    <message>
        <source>the fields of table '%1' could not be read!</source>
        <translation>无法读取表 '%1' 的字段!</translation>
    </message>
</context>
</TS>
