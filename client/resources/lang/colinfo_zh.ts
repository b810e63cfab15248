<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>col_info</name>
    <message>
        <source>TableName</source>
        <translation>表名</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>索引</translation>
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
        <source>the table name is empty.</source>
        <translation>表名为空。</translation>
    </message>
    <message>
        <source>a field name is empty.</source>
        <translation>有字段名为空。</translation>
    </message>
    <message>
        <source>the table name '%1' starts with a digit.</source>
        <translation>表名 '%1' 以数字开头。</translation>
    </message>
    <message>
        <source>the field name '%1' starts with a digit.</source>
        <translation>字段名 '%1' 以数字开头。</translation>
    </message>
    <message>
        <source>the table name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>表名 '%1' 含有 '%2'：只允许字母、数字和 '_'。</translation>
    </message>
    <message>
        <source>the field name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>字段名 '%1' 含有 '%2'：只允许字母、数字和 '_'。</translation>
    </message>
    <message>
        <source>the field name '%1' is given twice.</source>
        <translation>字段名 '%1' 重复。</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>创建表结果</translation>
    </message>
    <message>
        <source>create table '%1' is %2!</source>
        <translation>创建表 '%1' %2！</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>the table has no fields.</source>
        <translation>表没有字段。</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>the server offers no command for this operation.</source>
        <translation>服务器没有提供此操作的命令。</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>创建字段结果</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>创建全部字段 %1！</translation>
    </message>
    <message>
        <source>no new field was given.</source>
        <translation>没有给出新字段。</translation>
    </message>
    <message>
        <source>create field '%1' is %2!</source>
        <translation>创建字段 '%1' %2！</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>修改字段结果</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>修改字段 %1！</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>重命名字段结果</translation>
    </message>
    <message>
        <source>rename field '%1' to '%2' is %3!</source>
        <translation>将字段 '%1' 重命名为 '%2' %3！</translation>
    </message>
    <message>
        <source>the new table '%1' is not created yet.</source>
        <translation>新表 '%1' 尚未创建。</translation>
    </message>
    <message>
        <source>the changes to the fields of table '%1' are not applied yet.</source>
        <translation>对表 '%1' 字段的修改尚未应用。</translation>
    </message>
</context>
</TS>
