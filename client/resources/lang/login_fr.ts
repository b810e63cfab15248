<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>login_dlg</name>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="48"/>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="63"/>
        <source>VORN Time Series Database</source>
        <translation>Base de données chronologiques VORN</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>user</source>
        <translation>utilisateur</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>password</source>
        <translation>mot de passe</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="81"/>
        <source>port </source>
        <translation>port </translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="114"/>
        <source>set as default</source>
        <translation>définir par défaut</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="119"/>
        <source>Login</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="164"/>
        <location filename="../../shell/login_dlg.cpp" line="182"/>
        <source>invalid ip</source>
        <translation>IP invalide</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="171"/>
        <location filename="../../shell/login_dlg.cpp" line="180"/>
        <source>invalid port</source>
        <translation>port invalide</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>info</source>
        <translation>info</translation>
    </message>
    <message>
        <location filename="../../shell/login_dlg.cpp" line="193"/>
        <source>invalid user or password</source>
        <translation>utilisateur ou mot de passe invalide</translation>
    </message>
    <message>
        <source>cannot resolve</source>
        <translation>impossible de résoudre</translation>
    </message>
</context>
</TS>
