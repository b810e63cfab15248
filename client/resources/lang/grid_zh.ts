<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>apply_question</name>
    <message>
        <source>Row %1 shares its time point with other rows: its update changes %2 rows.</source>
        <translation>第 %1 行与其他行共用时间点：其更新将修改 %2 行。</translation>
    </message>
    <message>
        <source>Apply the changes anyway?</source>
        <translation>仍然应用这些修改吗？</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
</context>
<context>
    <name>grid_copy</name>
    <message>
        <source>copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>copy the selected cells with their column names, for a spreadsheet</source>
        <translation>复制所选单元格及其列名，可粘贴到电子表格</translation>
    </message>
</context>
</TS>
