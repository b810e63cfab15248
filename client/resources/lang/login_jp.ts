<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>login_dlg</name>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="48"/>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="63"/>
        <source>VORN Time Series Database</source>
        <translation>VORN 時系列データベース</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>user</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>port </source>
        <translation>ポート </translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="114"/>
        <source>set as default</source>
        <translation>デフォルトに設定</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="119"/>
        <source>Login</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="164"/>
        <location filename="../../shell/login_dlg.cpp" line="182"/>
        <source>invalid ip</source>
        <translation>無効な IP</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="171"/>
        <location filename="../../shell/login_dlg.cpp" line="180"/>
        <source>invalid port</source>
        <translation>無効なポート</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>info</source>
        <translation>情報</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>invalid user or password</source>
        <translation>ユーザー名またはパスワードが無効です</translation>
    </message>
    <message>
        <source>cannot resolve</source>
        <translation>名前を解決できません</translation>
    </message>
</context>
</TS>
