<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>view_follow</name>
    <message>
        <source>follow</source>
        <translation>追従</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>How often to look for new rows</source>
        <translation>新しい行を確認する間隔</translation>
    </message>
    <message>
        <source>Add the table's new rows as they arrive, keeping the end time at the newest one</source>
        <translation>テーブルの新しい行を到着次第追加し、終了時刻を最新の時刻に合わせます</translation>
    </message>
    <message>
        <source>follow stopped: %1</source>
        <translation>追従を停止しました：%1</translation>
    </message>
    <message>
        <source>follow paused: apply or discard the pending edits to go on</source>
        <translation>追従を一時停止中：続けるには保留中の編集を適用または破棄してください</translation>
    </message>
    <message>
        <source>the server lists no time range for the table</source>
        <translation>サーバーがこのテーブルの時間範囲を示していません</translation>
    </message>
    <message>
        <source>the view failed: %1</source>
        <translation>ビューに失敗しました：%1</translation>
    </message>
    <message>
        <source>the view's columns differ from the grid's</source>
        <translation>ビューの列が表の列と異なります</translation>
    </message>
</context>
</TS>
