<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>login_dlg</name>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="48"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="63"/>
        <source>VORN Time Series Database</source>
        <translation>VORN 时序数据库</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>user</source>
        <translation>用户</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>port </source>
        <translation>端口 </translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="114"/>
        <source>set as default</source>
        <translation>设为默认</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="119"/>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="164"/>
        <location filename="../../shell/login_dlg.cpp" line="182"/>
        <source>invalid ip</source>
        <translation>无效的 IP</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="171"/>
        <location filename="../../shell/login_dlg.cpp" line="180"/>
        <source>invalid port</source>
        <translation>无效的端口</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>info</source>
        <translation>信息</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>invalid user or password</source>
        <translation>用户名或密码无效</translation>
    </message>
    <message>
        <source>cannot resolve</source>
        <translation>无法解析</translation>
    </message>
</context>
</TS>
