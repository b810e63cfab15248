<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>editor</name>
    <message>
        <location filename="../../editor/editor.cpp" line="64"/>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="168"/>
        <source>find text in current windows</source>
        <translation>現在のウィンドウでテキストを検索</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="179"/>
        <source>replace text in current windows</source>
        <translation>現在のウィンドウでテキストを置換</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="210"/>
        <source>undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="211"/>
        <source>redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="212"/>
        <source>cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="213"/>
        <source>copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="214"/>
        <source>paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="215"/>
        <source>delete selection</source>
        <translation>選択範囲を削除</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="216"/>
        <source>select all</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="217"/>
        <source>select line</source>
        <translation>行を選択</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="218"/>
        <source>select word</source>
        <translation>単語を選択</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="219"/>
        <source>go to error position</source>
        <translation>エラー位置へ移動</translation>
    </message>
</context>
</TS>
