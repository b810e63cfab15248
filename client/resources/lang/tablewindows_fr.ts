<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>new table</source>
        <translation>nouvelle table</translation>
    </message>
    <message>
        <source>add field to table: %1</source>
        <translation>ajouter un champ à la table : %1</translation>
    </message>
    <message>
        <source>view fields of table: %1</source>
        <translation>champs de la table : %1</translation>
    </message>
    <message>
        <source>rename field '%2' of table: %1</source>
        <translation>renommer le champ '%2' de la table : %1</translation>
    </message>
    <message>
        <source>modify field '%2' of table: %1</source>
        <translation>modifier le champ '%2' de la table : %1</translation>
    </message>
    <message>
        <source>data of table: %1</source>
        <translation>données de la table : %1</translation>
    </message>
    <message>
        <source>table fields</source>
        <translation>champs de la table</translation>
    </message>
    <message>
        <source>the fields of table '%1' could not be read!</source>
        <translation>les champs de la table '%1' n'ont pas pu être lus !</translation>
    </message>
</context>
</TS>
