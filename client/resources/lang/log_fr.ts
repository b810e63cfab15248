<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>log_file_wt</name>
    <message>
        <source>Log file: none (logging into a file is off)</source>
        <translation>Fichier journal : aucun (la journalisation dans un fichier est désactivée)</translation>
    </message>
    <message>
        <source>Log file: %1</source>
        <translation>Fichier journal : %1</translation>
    </message>
    <message>
        <source>open log folder(&amp;l)</source>
        <translation>ouvrir le dossier du journal(&amp;l)</translation>
    </message>
    <message>
        <source>log file information</source>
        <translation>information sur le fichier journal</translation>
    </message>
    <message>
        <source>open the folder '%1' failed!</source>
        <translation>l'ouverture du dossier '%1' a échoué !</translation>
    </message>
</context>
</TS>
