<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>chart_pane</name>
    <message>
        <source>chart</source>
        <translation>チャート</translation>
    </message>
    <message>
        <source>show the chart of the time series beside the grid</source>
        <translation>グリッドの横に時系列のチャートを表示</translation>
    </message>
</context>
</TS>
