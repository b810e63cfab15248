<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>editor</name>
    <message>
        <location filename="../../editor/editor.cpp" line="64"/>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="168"/>
        <source>find text in current windows</source>
        <translation>在当前窗口中查找文本</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="179"/>
        <source>replace text in current windows</source>
        <translation>在当前窗口中替换文本</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="210"/>
        <source>undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="211"/>
        <source>redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="212"/>
        <source>cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="213"/>
        <source>copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="214"/>
        <source>paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="215"/>
        <source>delete selection</source>
        <translation>删除所选内容</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="216"/>
        <source>select all</source>
        <translation>全选</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="217"/>
        <source>select line</source>
        <translation>选择行</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="218"/>
        <source>select word</source>
        <translation>选择单词</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="219"/>
        <source>go to error position</source>
        <translation>转到错误位置</translation>
    </message>
</context>
</TS>
