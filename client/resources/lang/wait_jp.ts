<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>wait_notice</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>stop waiting: the connection is closed and can be made again</source>
        <translation>待機を中止します：接続は閉じられ、再接続できます</translation>
    </message>
    <message>
        <source>waiting for the server's answer: %1 s</source>
        <translation>サーバーの応答を待っています：%1 秒</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>a command is still waiting for the server's answer; stop waiting and quit?</source>
        <translation>コマンドがまだサーバーの応答を待っています。待機をやめて終了しますか？</translation>
    </message>
</context>
</TS>
