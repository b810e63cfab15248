<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>local help information</source>
        <translation>本地帮助信息</translation>
    </message>
    <message>
        <source>there is no Japanese manual, do you want to open the English manual?</source>
        <translation>没有日文手册，是否打开英文手册？</translation>
    </message>
    <message>
        <source>the manual file '%1' is not found!</source>
        <translation>找不到手册文件 '%1'！</translation>
    </message>
    <message>
        <source>open the manual file '%1' failed!</source>
        <translation>打开手册文件 '%1' 失败！</translation>
    </message>
    <message>
        <source>online reference information</source>
        <translation>在线参考信息</translation>
    </message>
    <message>
        <source>there is no Japanese command reference, do you want to open the English one?</source>
        <translation>没有日文命令参考，是否打开英文版？</translation>
    </message>
    <message>
        <source>open the address '%1' failed!</source>
        <translation>打开地址 '%1' 失败！</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>版本信息</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>检查版本失败！</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>有新版本，请从网站更新！</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>当前版本是最新版本！</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about vorn tsdb client</source>
        <translation>关于 vorn tsdb 客户端</translation>
    </message>
    <message>
        <source>About: time sequence database client is GUI client develop by vorn time sequence database team.</source>
        <translation>关于：时序数据库客户端是由 vorn 时序数据库团队开发的图形界面客户端。</translation>
    </message>
    <message>
        <source>Version: %1, Build Date: %2</source>
        <translation>版本：%1，构建日期：%2</translation>
    </message>
</context>
</TS>
