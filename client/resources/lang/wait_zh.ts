<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>wait_notice</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>stop waiting: the connection is closed and can be made again</source>
        <translation>停止等待：连接将被关闭，可以重新连接</translation>
    </message>
    <message>
        <source>waiting for the server's answer: %1 s</source>
        <translation>等待服务器应答：%1 秒</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>a command is still waiting for the server's answer; stop waiting and quit?</source>
        <translation>仍有命令在等待服务器应答；停止等待并退出吗？</translation>
    </message>
</context>
</TS>
