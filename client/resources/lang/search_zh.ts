<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>search_form</name>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>查找全部</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>全部替换</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>全字匹配</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>区分大小写</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正则表达式</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>支持(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>仅选中内容</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>限定</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>查找结果</translation>
    </message>
    <message>
        <source>the regular expression '%1' is not valid: %2</source>
        <translation>正则表达式 '%1' 无效：%2</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>向后查找结果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>向前查找结果</translation>
    </message>
    <message>
        <source>the string '%1' not found.</source>
        <translation>未找到字符串 '%1'。</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from begin?</source>
        <translation>未找到字符串 '%1'。从头继续查找？</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from end?</source>
        <translation>未找到字符串 '%1'。从末尾继续查找？</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>向后查找</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>向前查找</translation>
    </message>
    <message>
        <source>the string '%1' found %2 times.</source>
        <translation>字符串 '%1' 共找到 %2 次。</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>替换结果</translation>
    </message>
    <message>
        <source>the string '%1' %2 times replaced.</source>
        <translation>字符串 '%1' 已替换 %2 次。</translation>
    </message>
</context>
<context>
    <name>text_search</name>
    <message>
        <source>%1 at offset %2</source>
        <translation>%1（位置 %2）</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>find text in current windows</source>
        <translation>在当前窗口中查找文本</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>在当前窗口中替换文本</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>查找结果</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>find text in current table</source>
        <translation>在当前表格中查找文本</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>在当前表格中替换文本</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>替换结果</translation>
    </message>
    <message>
        <source>the text '%1' is not a valid %2 value (row %3, column '%4'); nothing is replaced.</source>
        <translation>文本 '%1' 不是有效的 %2 值（第 %3 行，列 '%4'）；未替换任何内容。</translation>
    </message>
    <message>
        <source>the string '%1' is found only in columns that cannot be replaced: %2.</source>
        <translation>字符串 '%1' 只出现在不能替换的列中：%2。</translation>
    </message>
</context>
</TS>
