<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>chart_pane</name>
    <message>
        <source>chart</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>show the chart of the time series beside the grid</source>
        <translation>在表格旁显示时间序列图表</translation>
    </message>
</context>
</TS>
