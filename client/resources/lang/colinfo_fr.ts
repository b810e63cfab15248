<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>col_info</name>
    <message>
        <source>TableName</source>
        <translation>Nom de table</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>the table name is empty.</source>
        <translation>le nom de la table est vide.</translation>
    </message>
    <message>
        <source>a field name is empty.</source>
        <translation>un nom de champ est vide.</translation>
    </message>
    <message>
        <source>the table name '%1' starts with a digit.</source>
        <translation>le nom de table '%1' commence par un chiffre.</translation>
    </message>
    <message>
        <source>the field name '%1' starts with a digit.</source>
        <translation>le nom de champ '%1' commence par un chiffre.</translation>
    </message>
    <message>
        <source>the table name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>le nom de table '%1' contient '%2' : seuls les lettres, les chiffres et '_' sont permis.</translation>
    </message>
    <message>
        <source>the field name '%1' holds '%2': only letters, digits and '_' are allowed.</source>
        <translation>le nom de champ '%1' contient '%2' : seuls les lettres, les chiffres et '_' sont permis.</translation>
    </message>
    <message>
        <source>the field name '%1' is given twice.</source>
        <translation>le nom de champ '%1' est donné deux fois.</translation>
    </message>
    <message>
        <source>create table result</source>
        <translation>résultat de la création de table</translation>
    </message>
    <message>
        <source>create table '%1' is %2!</source>
        <translation>la création de la table '%1' a %2 !</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>the table has no fields.</source>
        <translation>la table n'a aucun champ.</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>the server offers no command for this operation.</source>
        <translation>le serveur n'offre aucune commande pour cette opération.</translation>
    </message>
    <message>
        <source>create field result</source>
        <translation>résultat de la création de champ</translation>
    </message>
    <message>
        <source>create all field is %1!</source>
        <translation>la création de tous les champs a %1 !</translation>
    </message>
    <message>
        <source>no new field was given.</source>
        <translation>aucun nouveau champ n'a été donné.</translation>
    </message>
    <message>
        <source>create field '%1' is %2!</source>
        <translation>la création du champ '%1' a %2 !</translation>
    </message>
    <message>
        <source>modify field result</source>
        <translation>résultat de la modification de champ</translation>
    </message>
    <message>
        <source>modify field is %1!</source>
        <translation>la modification du champ a %1 !</translation>
    </message>
    <message>
        <source>rename field result</source>
        <translation>résultat du renommage de champ</translation>
    </message>
    <message>
        <source>rename field '%1' to '%2' is %3!</source>
        <translation>le renommage du champ '%1' en '%2' a %3 !</translation>
    </message>
    <message>
        <source>the new table '%1' is not created yet.</source>
        <translation>la nouvelle table '%1' n'est pas encore créée.</translation>
    </message>
    <message>
        <source>the changes to the fields of table '%1' are not applied yet.</source>
        <translation>les modifications des champs de la table '%1' ne sont pas encore appliquées.</translation>
    </message>
</context>
</TS>
