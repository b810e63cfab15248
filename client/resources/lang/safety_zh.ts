<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>failure_box</name>
    <message>
        <source>the connection to the server is lost, reconnect now?</source>
        <translation>与服务器的连接已断开，现在重新连接吗？</translation>
    </message>
</context>
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>the file "%1" cannot be written. Save its text elsewhere, discard the changes, or cancel closing?</source>
        <translation>文件“%1”无法写入。要把内容另存到别处、放弃修改，还是取消关闭？</translation>
    </message>
</context>
<context>
    <name>status_indicators</name>
    <message>
        <source>connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>disconnected: the connection to the server is lost, use reconnect</source>
        <translation>已断开：与服务器的连接已断开，请使用重新连接</translation>
    </message>
    <message>
        <source>user: %1, IP: %2, port: %3, %4</source>
        <translation>用户：%1，IP：%2，端口：%3，%4</translation>
    </message>
    <message>
        <source>the current script has an error; Ctrl+E goes to it</source>
        <translation>当前脚本有错误；按 Ctrl+E 跳到错误处</translation>
    </message>
    <message>
        <source>the current script has no error</source>
        <translation>当前脚本没有错误</translation>
    </message>
    <message>
        <source>%1@%2:%3</source>
        <translation>%1@%2:%3</translation>
    </message>
</context>
</TS>
