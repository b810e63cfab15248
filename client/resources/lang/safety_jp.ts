<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>failure_box</name>
    <message>
        <source>the connection to the server is lost, reconnect now?</source>
        <translation>サーバーとの接続が切れました。今すぐ再接続しますか？</translation>
    </message>
</context>
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>the file "%1" cannot be written. Save its text elsewhere, discard the changes, or cancel closing?</source>
        <translation>ファイル「%1」に書き込めません。別の場所に保存しますか、変更を破棄しますか、それとも閉じるのを取り消しますか？</translation>
    </message>
</context>
<context>
    <name>status_indicators</name>
    <message>
        <source>connected</source>
        <translation>接続中</translation>
    </message>
    <message>
        <source>disconnected: the connection to the server is lost, use reconnect</source>
        <translation>切断：サーバーとの接続が切れました。再接続を使ってください</translation>
    </message>
    <message>
        <source>user: %1, IP: %2, port: %3, %4</source>
        <translation>ユーザー：%1、IP：%2、ポート：%3、%4</translation>
    </message>
    <message>
        <source>the current script has an error; Ctrl+E goes to it</source>
        <translation>現在のスクリプトにエラーがあります。Ctrl+E でその位置へ移動します</translation>
    </message>
    <message>
        <source>the current script has no error</source>
        <translation>現在のスクリプトにエラーはありません</translation>
    </message>
    <message>
        <source>%1@%2:%3</source>
        <translation>%1@%2:%3</translation>
    </message>
</context>
</TS>
