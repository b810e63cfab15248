<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>MainWindow</name>
    <message>
        <source>local help information</source>
        <translation>ローカルヘルプ情報</translation>
    </message>
    <message>
        <source>there is no Japanese manual, do you want to open the English manual?</source>
        <translation>日本語のマニュアルはありません。英語のマニュアルを開きますか？</translation>
    </message>
    <message>
        <source>the manual file '%1' is not found!</source>
        <translation>マニュアルファイル '%1' が見つかりません！</translation>
    </message>
    <message>
        <source>open the manual file '%1' failed!</source>
        <translation>マニュアルファイル '%1' を開けませんでした！</translation>
    </message>
    <message>
        <source>online reference information</source>
        <translation>オンラインリファレンス情報</translation>
    </message>
    <message>
        <source>there is no Japanese command reference, do you want to open the English one?</source>
        <translation>日本語のコマンドリファレンスはありません。英語版を開きますか？</translation>
    </message>
    <message>
        <source>open the address '%1' failed!</source>
        <translation>アドレス '%1' を開けませんでした！</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>バージョンの確認に失敗しました！</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>新しいバージョンがあります。ウェブサイトから更新してください！</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>現在のバージョンは最新です！</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about vorn tsdb client</source>
        <translation>vorn tsdb クライアントについて</translation>
    </message>
    <message>
        <source>About: time sequence database client is GUI client develop by vorn time sequence database team.</source>
        <translation>概要：時系列データベースクライアントは、vorn 時系列データベースチームが開発した GUI クライアントです。</translation>
    </message>
    <message>
        <source>Version: %1, Build Date: %2</source>
        <translation>バージョン：%1、ビルド日：%2</translation>
    </message>
</context>
</TS>
