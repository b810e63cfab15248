<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>restore unsaved changes</source>
        <translation>保存されていない変更の復元</translation>
    </message>
    <message>
        <source>the client ended without saving the changes of &quot;%1&quot; (last change %2 ago).
%3
Yes puts them into its tab, where they wait to be saved; No discards them.</source>
        <translation>クライアントは「%1」の変更を保存せずに終了しました（最後の変更は %2 前）。
%3
「はい」で変更をタブに戻します（保存はまだです）。「いいえ」で変更を破棄します。</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n 分</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n 時間</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n 日</numerusform>
        </translation>
    </message>
</context>
</TS>
