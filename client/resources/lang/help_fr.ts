<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>local help information</source>
        <translation>information sur l'aide locale</translation>
    </message>
    <message>
        <source>there is no Japanese manual, do you want to open the English manual?</source>
        <translation>il n'existe pas de manuel en japonais, voulez-vous ouvrir le manuel anglais ?</translation>
    </message>
    <message>
        <source>the manual file '%1' is not found!</source>
        <translation>le fichier du manuel '%1' est introuvable !</translation>
    </message>
    <message>
        <source>open the manual file '%1' failed!</source>
        <translation>l'ouverture du fichier du manuel '%1' a échoué !</translation>
    </message>
    <message>
        <source>online reference information</source>
        <translation>information sur la référence en ligne</translation>
    </message>
    <message>
        <source>there is no Japanese command reference, do you want to open the English one?</source>
        <translation>il n'existe pas de référence des commandes en japonais, voulez-vous ouvrir la version anglaise ?</translation>
    </message>
    <message>
        <source>open the address '%1' failed!</source>
        <translation>l'ouverture de l'adresse '%1' a échoué !</translation>
    </message>
    <message>
        <source>version infomation</source>
        <translation>information de version</translation>
    </message>
    <message>
        <source>check version failed!</source>
        <translation>la vérification de version a échoué !</translation>
    </message>
    <message>
        <source>there is new version, please update from website!</source>
        <translation>une nouvelle version existe, veuillez mettre à jour depuis le site web !</translation>
    </message>
    <message>
        <source>the current version is latest version!</source>
        <translation>la version actuelle est la plus récente !</translation>
    </message>
</context>
<context>
    <name>about_dlg</name>
    <message>
        <source>about vorn tsdb client</source>
        <translation>à propos du client vorn tsdb</translation>
    </message>
    <message>
        <source>About: time sequence database client is GUI client develop by vorn time sequence database team.</source>
        <translation>À propos : le client de base de données chronologiques est un client graphique développé par l'équipe de la base de données chronologiques vorn.</translation>
    </message>
    <message>
        <source>Version: %1, Build Date: %2</source>
        <translation>Version : %1, date de compilation : %2</translation>
    </message>
</context>
</TS>
