<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>apply_question</name>
    <message>
        <source>Row %1 shares its time point with other rows: its update changes %2 rows.</source>
        <translation>%1 行目は他の行と時刻を共有しています。この更新は %2 行を変更します。</translation>
    </message>
    <message>
        <source>Apply the changes anyway?</source>
        <translation>それでも変更を適用しますか？</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>grid_copy</name>
    <message>
        <source>copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>copy the selected cells with their column names, for a spreadsheet</source>
        <translation>選択したセルを列名と一緒にコピーします（表計算ソフト向け）</translation>
    </message>
</context>
</TS>
