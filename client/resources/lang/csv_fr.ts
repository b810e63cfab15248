<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>path_groups</name>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Server(note: the file is in remote server)</source>
        <translation>Serveur (remarque : le fichier est sur le serveur distant)</translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>space</source>
        <translation>espace</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>mode remplacement</translation>
    </message>
    <message>
        <source>format</source>
        <translation>format</translation>
    </message>
    <message>
        <source>csv files (*.csv);;csvs files (*.csvs);;all files (*.*)</source>
        <translation>fichiers csv (*.csv);;fichiers csvs (*.csvs);;tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>set csv/csvs file's path</source>
        <translation>choisir le chemin du fichier csv/csvs</translation>
    </message>
    <message>
        <source>select csv/csvs file</source>
        <translation>sélectionner un fichier csv/csvs</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>information sur le chemin d'exportation</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>information sur le chemin d'importation</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>le chemin saisi est vide.</translation>
    </message>
</context>
<context>
    <name>file_mode_questions</name>
    <message>
        <source>client mode information</source>
        <translation>information sur le mode client</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>remarque : le mode client utilise &lt;span style='color:orange'&gt;beaucoup de mémoire&lt;/span&gt; pour le transfert et ne convient pas aux &lt;span style='color:orange'&gt;gros volumes&lt;/span&gt; ; voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; store all data for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>remarque : le mode client garde toutes les données en &lt;span style='color:orange'&gt;mémoire&lt;/span&gt; pour le transfert et ne convient pas aux &lt;span style='color:orange'&gt;gros volumes&lt;/span&gt; ; voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>replace mode information</source>
        <translation>information sur le mode remplacement</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style='color:orange'&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>remarque : le mode remplacement &lt;span style='color:orange'&gt;écrase le fichier existant&lt;/span&gt; ; continuer ?</translation>
    </message>
</context>
<context>
    <name>tab_file_dlg</name>
    <message>
        <source>format</source>
        <translation>format</translation>
    </message>
    <message>
        <source>backup files (*.sbk);;all files (*.*)</source>
        <translation>fichiers de sauvegarde (*.sbk);;tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>bin files (*.bin);;cmd files (*.tcd);;all files (*.*)</source>
        <translation>fichiers bin (*.bin);;fichiers cmd (*.tcd);;tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>cmd files (*.tcd);;bin files (*.bin);;all files (*.*)</source>
        <translation>fichiers cmd (*.tcd);;fichiers bin (*.bin);;tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>select database file's path</source>
        <translation>sélectionner le fichier de la base de données</translation>
    </message>
    <message>
        <source>select table file's path</source>
        <translation>sélectionner le fichier de la table</translation>
    </message>
    <message>
        <source>set database file's path</source>
        <translation>choisir le chemin du fichier de la base de données</translation>
    </message>
    <message>
        <source>set table file's path</source>
        <translation>choisir le chemin du fichier de la table</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Replace Mode</source>
        <translation>Mode remplacement</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>Serveur (remarque : le chemin saisi est sur le serveur distant)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>information sur le chemin</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>le chemin saisi est vide.</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>table name</source>
        <translation>nom de la table</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>Serveur (remarque : le chemin saisi est sur le serveur distant)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>table name information</source>
        <translation>information sur le nom de la table</translation>
    </message>
    <message>
        <source>the input table's name is empty.</source>
        <translation>le nom de table saisi est vide.</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>information sur le chemin de la table</translation>
    </message>
    <message>
        <source>the input table's path is empty.</source>
        <translation>le chemin de table saisi est vide.</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>information sur le chemin</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>le chemin saisi est vide.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>client mode information</source>
        <translation>information sur le mode client</translation>
    </message>
    <message>
        <source>the file '%1' has %2 MiB, more than the %3 MiB the client mode can move; please use the server mode for it.</source>
        <translation>le fichier '%1' fait %2 Mio, plus que les %3 Mio que le mode client peut transférer ; utilisez le mode serveur.</translation>
    </message>
    <message>
        <source>save table '%1' to file</source>
        <translation>enregistrer la table '%1' dans un fichier</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>résultat de l'enregistrement de la table</translation>
    </message>
    <message>
        <source>save table '%1' to file '%2' is %3!</source>
        <translation>l'enregistrement de la table '%1' dans le fichier '%2' : %3 !</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>sauvegarder la base de données dans un fichier</translation>
    </message>
    <message>
        <source>backup result(%1)</source>
        <translation>résultat de la sauvegarde (%1)</translation>
    </message>
    <message>
        <source>backup database to file '%1' is %2!</source>
        <translation>la sauvegarde de la base de données dans le fichier '%1' : %2 !</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>charger une table depuis un fichier</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>résultat du chargement de la table</translation>
    </message>
    <message>
        <source>load file '%1' to as table '%2' is %3!</source>
        <translation>le chargement du fichier '%1' comme table '%2' : %3 !</translation>
    </message>
    <message>
        <source>load file '%1' as table is %2!</source>
        <translation>le chargement du fichier '%1' comme table : %2 !</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>restaurer la base de données depuis un fichier</translation>
    </message>
    <message>
        <source>restore result(%1)</source>
        <translation>résultat de la restauration (%1)</translation>
    </message>
    <message>
        <source>restore database frome file '%1' is %2!</source>
        <translation>la restauration de la base de données depuis le fichier '%1' : %2 !</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>importer des données d'un fichier csv/csvs dans la table : %1</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>résultat de l'importation</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2' is %3!</source>
        <translation>l'importation du fichier '%1' dans la table '%2' : %3 !</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2'</source>
        <translation>importation du fichier '%1' dans la table '%2'</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>annuler</translation>
    </message>
    <message>
        <source>%1 of %2 rows imported.</source>
        <translation>%1 lignes importées sur %2.</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>exporter la table : %1 vers un fichier csv/csvs</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>résultat de l'exportation</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>l'exportation de la table '%1' vers le fichier '%2' : %3 !</translation>
    </message>
</context>
<context>
    <name>csv_local_import</name>
    <message>
        <source>import file '%1' to table '%2': %3 rows in loads of push lines of up to %4, each load whole or not at all</source>
        <translation>l'importation du fichier '%1' dans la table '%2' : %3 lignes en chargements de lignes push de %4 au plus, chaque chargement entier ou pas du tout</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2': %3 rows one push at a time, the server does not take them as a load (%4)</source>
        <translation>l'importation du fichier '%1' dans la table '%2' : %3 lignes une commande push à la fois, le serveur ne les prend pas en chargement (%4)</translation>
    </message>
</context>
</TS>
