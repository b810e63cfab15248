<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation>数値表示モード</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>16進</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>10進</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>2進</translation>
    </message>
    <message>
        <source>max k</source>
        <translation>最大行数</translation>
    </message>
    <message>
        <source>Begin Time</source>
        <translation>開始時刻</translation>
    </message>
    <message>
        <source>End   Time</source>
        <translation>終了時刻</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>export</source>
        <translation>出力</translation>
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
        <source>filter this</source>
        <translation>この時刻で絞り込む</translation>
    </message>
    <message>
        <source>append filter</source>
        <translation>絞り込みに追加</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>テキストを検索</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>テキストを置換</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>ビューのデータをエクスポート</translation>
    </message>
    <message>
        <source>applying the changes to table '%1'</source>
        <translation>テーブル '%1' に変更を適用しています</translation>
    </message>
    <message>
        <source>apply result</source>
        <translation>適用の結果</translation>
    </message>
    <message>
        <source>apply changes to table '%1' is %2!</source>
        <translation>テーブル '%1' への変更の適用は%2!</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>キャンセルされました</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗しました</translation>
    </message>
    <message>
        <source>%1 of %2 commands went to the server.</source>
        <translation>%2 件のコマンドのうち %1 件がサーバーに送られました。</translation>
    </message>
    <message>
        <source>This command failed: %1</source>
        <translation>失敗したコマンド: %1</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>未適用の変更</translation>
    </message>
    <message>
        <source>%1 edited or added rows are not applied yet, and a new view drops them. Apply them first?</source>
        <translation>編集または追加した %1 行はまだ適用されておらず、新しいビューでは破棄されます。先に適用しますか？</translation>
    </message>
    <message>
        <source>The changes that did not go are dropped by the reload.</source>
        <translation>送られなかった変更は再読み込みで破棄されます。</translation>
    </message>
    <message>
        <source>%1 edited or added rows of table '%2' are not applied yet.</source>
        <translation>テーブル '%2' の編集または追加した %1 行はまだ適用されていません。</translation>
    </message>
</context>
<context>
    <name>view_export</name>
    <message>
        <source>export table result</source>
        <translation>テーブルのエクスポート結果</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>テーブル '%1' のファイル '%2' へのエクスポートは%3!</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>成功しました</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗しました</translation>
    </message>
</context>
<context>
    <name>window_closing</name>
    <message>
        <source>pending changes</source>
        <translation>未適用の変更</translation>
    </message>
    <message>
        <source>Apply sends them and then closes the window, Discard drops them, Cancel keeps the window open.</source>
        <translation>「適用」は変更を送信してからウィンドウを閉じ、「変更を破棄」は変更を捨て、「キャンセル」はウィンドウを開いたままにします。</translation>
    </message>
</context>
<context>
    <name>load_size</name>
    <message>
        <source>load every row</source>
        <translation>すべての行を読み込む</translation>
    </message>
    <message>
        <source>Table '%1' has %2 rows. Loading them all takes about %3 of memory, more than a quarter of this machine's %4.

Load every row anyway?</source>
        <translation>テーブル '%1' には %2 行あります。すべて読み込むには約 %3 のメモリが必要で、このマシンの %4 の 4 分の 1 を超えます。

それでもすべての行を読み込みますか？</translation>
    </message>
</context>
</TS>
