<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>log_file_wt</name>
    <message>
        <source>Log file: none (logging into a file is off)</source>
        <translation>ログファイル：なし（ファイルへの記録はオフ）</translation>
    </message>
    <message>
        <source>Log file: %1</source>
        <translation>ログファイル：%1</translation>
    </message>
    <message>
        <source>open log folder(&amp;l)</source>
        <translation>ログフォルダを開く(&amp;L)</translation>
    </message>
    <message>
        <source>log file information</source>
        <translation>ログファイル情報</translation>
    </message>
    <message>
        <source>open the folder '%1' failed!</source>
        <translation>フォルダ '%1' を開けませんでした！</translation>
    </message>
</context>
</TS>
