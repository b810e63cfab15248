<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>MainWindow</name>
    <message>
        <source>new table</source>
        <translation>新しいテーブル</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>テーブルにフィールドを追加: %1</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>テーブルのフィールドを表示: %1</translation>
    </message>
    <message>
        <source>rename field '%2' of table: %1</source>
        <translation>フィールド '%2' の名前を変更、テーブル: %1</translation>
    </message>
    <message>
        <source>modify field '%2' of table: %1</source>
        <translation>フィールド '%2' を変更、テーブル: %1</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>テーブルのデータ: %1</translation>
    </message>
    <message>
        <source>table fields</source>
        <translation>テーブルのフィールド</translation>
    </message>
    <message>
        <source>the fields of table '%1' could not be read!</source>
        <translation>テーブル '%1' のフィールドを読み取れませんでした!</translation>
    </message>
</context>
</TS>
