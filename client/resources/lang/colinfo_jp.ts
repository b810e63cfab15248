<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>col_info</name>
    <message>
        <source>TableName</source>
        <translation>テーブル名</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>インデックス</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>the table name is empty.</source>
        <translation>テーブル名が空です。</translation>
    </message>
    <message>
        <source>a field name is empty.</source>
        <translation>空のフィールド名があります。</translation>
    </message>
    <message>
        <source>the table name '%1' starts with a digit.</source>
        <translation>テーブル名 '%1' が数字で始まっています。</translation>
    </message>
    <message>
        <source>the field name '%1' starts with a digit.</source>
        <translation>フィールド名 '%1' が数字で始まっています。</translation>
    </message>
    <message>
        <source>the table name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>テーブル名 '%1' に '%2' が含まれています。使えるのは英字、数字と '_' だけです。</translation>
    </message>
    <message>
        <source>the field name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>フィールド名 '%1' に '%2' が含まれています。使えるのは英字、数字と '_' だけです。</translation>
    </message>
    <message>
        <source>the field name '%1' is given twice.</source>
        <translation>フィールド名 '%1' が重複しています。</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>テーブル作成の結果</translation>
    </message>
    <message>
        <source>create table '%1' is %2!</source>
        <translation>テーブル '%1' の作成は%2しました！</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>the table has no fields.</source>
        <translation>テーブルにフィールドがありません。</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>the server offers no command for this operation.</source>
        <translation>サーバーにはこの操作のコマンドがありません。</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>フィールド作成の結果</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>全フィールドの作成は%1しました！</translation>
    </message>
    <message>
        <source>no new field was given.</source>
        <translation>新しいフィールドがありません。</translation>
    </message>
    <message>
        <source>create field '%1' is %2!</source>
        <translation>フィールド '%1' の作成は%2しました！</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>フィールド変更の結果</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>フィールドの変更は%1しました！</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>フィールド名変更の結果</translation>
    </message>
    <message>
        <source>rename field '%1' to '%2' is %3!</source>
        <translation>フィールド '%1' から '%2' への名前変更は%3しました！</translation>
    </message>
    <message>
        <source>the new table '%1' is not created yet.</source>
        <translation>新しいテーブル '%1' はまだ作成されていません。</translation>
    </message>
    <message>
        <source>the changes to the fields of table '%1' are not applied yet.</source>
        <translation>テーブル '%1' のフィールドへの変更はまだ適用されていません。</translation>
    </message>
</context>
</TS>
