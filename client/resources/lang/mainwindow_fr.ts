<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
    <context>
        <name>MainWindow</name>
        <message>
            <location filename="../../shell/main_window.cpp" line="89" />
            <source>vorn tsdb database gui client</source>
            <translation>client graphique de la base vorn tsdb</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="125" />
            <source>toolBar</source>
            <translation>barre d'outils</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect information</source>
            <translation>information de reconnexion</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <source>reconnect sussesful!</source>
            <translation>reconnexion réussie !</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect failed!</source>
            <translation>échec de la reconnexion !</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="32" />
            <source>the language change to Chinese, the application need restart, restart now?</source>
            <translation>la langue passe au chinois, l'application doit redémarrer, redémarrer maintenant ?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="35" />
            <source>the language change to English, the application need restart, restart now?</source>
            <translation>la langue passe à l'anglais, l'application doit redémarrer, redémarrer maintenant ?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="38" />
            <source>the language change to Français, the application need restart, restart now?</source>
            <translation>la langue passe au français, l'application doit redémarrer, redémarrer maintenant ?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="41" />
            <source>the language change to Japanese, the application need restart, restart now?</source>
            <translation>la langue passe au japonais, l'application doit redémarrer, redémarrer maintenant ?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="59" />
            <source>language changed</source>
            <translation>langue modifiée</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="61" />
            <source>open cmd file to execute</source>
            <translation>ouvrir le fichier de commandes à exécuter</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="63" />
            <source>cmd files (*.tcd);;all files (*.*)</source>
            <translation>fichiers de commandes (*.tcd);;tous les fichiers (*.*)</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="88" />
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>execute infomation</source>
            <translation>information d'exécution</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="89" />
            <source>the cmd "%1" execute failed!</source>
            <translation>l'exécution de la commande "%1" a échoué !</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>the cmd execute sussesful total!</source>
            <translation>toutes les commandes ont été exécutées avec succès !</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>successful</source>
            <translation>réussi</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>failed</source>
            <translation>échoué</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="25" />
            <source>drop table warnning</source>
            <translation>avertissement de suppression de table</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="26" />
            <source>drop table will delete table from server, do your want to drop table '%1' really?</source>
            <translation>la suppression retire la table du serveur, voulez-vous vraiment supprimer la table '%1' ?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="31" />
            <source>drop table result</source>
            <translation>résultat de la suppression de table</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="32" />
            <source>drop table '%1' from database is %2!</source>
            <translation>suppression de la table '%1' de la base : %2 !</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="44" />
            <source>truncate table warnning</source>
            <translation>avertissement de vidage de table</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="45" />
            <source>truncate table will clear all table 's data, do your want to truncate table '%1' really?</source>
            <translation>le vidage efface toutes les données de la table, voulez-vous vraiment vider la table '%1' ?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="50" />
            <source>truncate table result</source>
            <translation>résultat du vidage de table</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="51" />
            <source>truncate table '%1' from database is %2!</source>
            <translation>vidage de la table '%1' de la base : %2 !</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="62" />
            <source>delete field warnning</source>
            <translation>avertissement de suppression de champ</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="63" />
            <source>delete field will delete field from table, do your want to delete field '%2' from table '%1' really?</source>
            <translation>la suppression retire le champ de la table, voulez-vous vraiment supprimer le champ '%2' de la table '%1' ?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="70" />
            <source>delete field result</source>
            <translation>résultat de la suppression de champ</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="71" />
            <source>delete field '%1' from table '%2' is %3!</source>
            <translation>suppression du champ '%1' de la table '%2' : %3 !</translation>
        </message>
        <message>
            <source>restore database warning</source>
            <translation>avertissement de restauration de la base</translation>
        </message>
        <message>
            <source>restore will replace the whole database on the server with the file '%1': every table and row there now is lost. Do you want to restore really?</source>
            <translation>la restauration remplacera toute la base de données du serveur par le fichier '%1' : toutes les tables et lignes qui s'y trouvent seront perdues. Voulez-vous vraiment restaurer ?</translation>
        </message>
    </context>
    <context>
        <name>main_actions</name>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>new file(&amp;n)</source>
            <translation>nouveau fichier(&amp;n)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>ctrl+n</source>
            <translation>Ctrl+N</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>open file(&amp;o)</source>
            <translation>ouvrir un fichier(&amp;o)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>ctrl+o</source>
            <translation>Ctrl+O</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>save file(&amp;s)</source>
            <translation>enregistrer le fichier(&amp;s)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>ctrl+s</source>
            <translation>Ctrl+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>save all files(&amp;a)</source>
            <translation>enregistrer tous les fichiers(&amp;a)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>ctrl+shift+s</source>
            <translation>Ctrl+Shift+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="45" />
            <source>save as (&amp;b)</source>
            <translation>enregistrer sous (&amp;b)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>close file(&amp;c)</source>
            <translation>fermer le fichier(&amp;c)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>ctrl+w</source>
            <translation>Ctrl+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>close all files(&amp;f)</source>
            <translation>fermer tous les fichiers(&amp;f)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>ctrl+shift+w</source>
            <translation>Ctrl+Shift+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="49" />
            <source>close except file(&amp;e)</source>
            <translation>fermer les autres fichiers(&amp;e)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>print file(&amp;p)</source>
            <translation>imprimer le fichier(&amp;p)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>ctrl+p</source>
            <translation>Ctrl+P</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="52" />
            <source>cluster manage(&amp;m)</source>
            <translation>gestion du cluster(&amp;m)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>quit(&amp;q)</source>
            <translation>quitter(&amp;q)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>ctrl+q</source>
            <translation>Ctrl+Q</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="54" />
            <source>clear file list</source>
            <translation>vider la liste des fichiers</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>refresh(&amp;r)</source>
            <translation>actualiser(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>f5</source>
            <translation>F5</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>create table(&amp;c)</source>
            <translation>créer une table(&amp;c)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>f4</source>
            <translation>F4</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="59" />
            <source>reconnect(&amp;r)</source>
            <translation>se reconnecter(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="60" />
            <source>backup(&amp;b)</source>
            <translation>sauvegarder(&amp;b)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="61" />
            <source>restore(&amp;r)</source>
            <translation>restaurer(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>execute cmd(&amp;e)</source>
            <translation>exécuter des commandes(&amp;e)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>f6</source>
            <translation>F6</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="63" />
            <source>load table(&amp;l)</source>
            <translation>charger une table(&amp;l)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="65" />
            <source>drop(&amp;d)</source>
            <translation>supprimer(&amp;d)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="66" />
            <source>truncate(&amp;t)</source>
            <translation>vider(&amp;t)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="68" />
            <source>create field(&amp;c)</source>
            <translation>créer un champ(&amp;c)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="69" />
            <source>view data(&amp;v)</source>
            <translation>voir les données(&amp;v)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="70" />
            <source>view field(&amp;v)</source>
            <translation>voir les champs(&amp;v)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="71" />
            <source>import(&amp;i)</source>
            <translation>importer(&amp;i)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="72" />
            <source>export(&amp;e)</source>
            <translation>exporter(&amp;e)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="73" />
            <source>save table(&amp;s)</source>
            <translation>enregistrer la table(&amp;s)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="75" />
            <source>delete(&amp;d)</source>
            <translation>supprimer(&amp;d)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="76" />
            <source>rename(&amp;r)</source>
            <translation>renommer(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="77" />
            <source>modify(&amp;m)</source>
            <translation>modifier(&amp;m)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>cut(&amp;t)</source>
            <translation>couper(&amp;t)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>ctrl+x</source>
            <translation>Ctrl+X</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>copy(&amp;c)</source>
            <translation>copier(&amp;c)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>ctrl+c</source>
            <translation>Ctrl+C</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>paste(&amp;p)</source>
            <translation>coller(&amp;p)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>ctrl+v</source>
            <translation>Ctrl+V</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>redo(&amp;r)</source>
            <translation>rétablir(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>ctrl+y</source>
            <translation>Ctrl+Y</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>undo(&amp;u)</source>
            <translation>annuler(&amp;u)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>ctrl+z</source>
            <translation>Ctrl+Z</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>goto error(&amp;g)</source>
            <translation>aller à l'erreur(&amp;g)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>ctrl+e</source>
            <translation>Ctrl+E</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="85" />
            <source>line begin</source>
            <translation>début de ligne</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="86" />
            <source>line end</source>
            <translation>fin de ligne</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="87" />
            <source>word begin</source>
            <translation>début de mot</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="88" />
            <source>word end</source>
            <translation>fin de mot</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="89" />
            <source>delete selection</source>
            <translation>supprimer la sélection</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="90" />
            <source>select beside</source>
            <translation>sélectionner à côté</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>select all</source>
            <translation>tout sélectionner</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>ctrl+a</source>
            <translation>Ctrl+A</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="92" />
            <source>select line</source>
            <translation>sélectionner la ligne</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="93" />
            <source>select word</source>
            <translation>sélectionner le mot</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="94" />
            <source>execute selection</source>
            <translation>exécuter la sélection</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>execute current line</source>
            <translation>exécuter la ligne courante</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>f7</source>
            <translation>F7</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="96" />
            <source>format selection</source>
            <translation>mettre en forme la sélection</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>find</source>
            <translation>rechercher</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>ctrl+f</source>
            <translation>Ctrl+F</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="98" />
            <source>replace</source>
            <translation>remplacer</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="98" />
            <source>ctrl+h</source>
            <translation>Ctrl+H</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="100" />
            <source>big(&amp;b)</source>
            <translation>grandes(&amp;b)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="101" />
            <source>normal(&amp;n)</source>
            <translation>normales(&amp;n)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="102" />
            <source>small(&amp;s)</source>
            <translation>petites(&amp;s)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="103" />
            <source>database</source>
            <translation>base de données</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="104" />
            <source>log</source>
            <translation>journal</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="105" />
            <source>toolbar(&amp;t)</source>
            <translation>barre d'outils(&amp;t)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="106" />
            <source>statusbar(&amp;s)</source>
            <translation>barre d'état(&amp;s)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="108" />
            <source>fullscreen(&amp;f)</source>
            <translation>plein écran(&amp;f)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="109" />
            <source>Ctrl+Shift+F11</source>
            <translation>Ctrl+Shift+F11</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="111" />
            <source> 简体中文(&amp;z)</source>
            <translation> 简体中文(&amp;z)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="112" />
            <source>English(&amp;e)</source>
            <translation>English(&amp;e)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="113" />
            <source>Français(&amp;f)</source>
            <translation>Français(&amp;f)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="114" />
            <source>JP(&amp;j)</source>
            <translation>日本語(&amp;j)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="115" />
            <source>preference(&amp;p)</source>
            <translation>préférences(&amp;p)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="117" />
            <source>online reference(&amp;o)</source>
            <translation>référence en ligne(&amp;o)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="118" />
            <source>local(&amp;l)</source>
            <translation>documentation locale(&amp;l)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="119" />
            <source>update(&amp;u)</source>
            <translation>mise à jour(&amp;u)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="120" />
            <source>about(&amp;a)</source>
            <translation>à propos(&amp;a)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="125" />
            <source>file(&amp;f)</source>
            <translation>fichier(&amp;f)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="129" />
            <source>open recent files(&amp;r)</source>
            <translation>fichiers récents(&amp;r)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="142" />
            <source>database(&amp;d)</source>
            <translation>base de données(&amp;d)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="150" />
            <source>edit(&amp;e)</source>
            <translation>édition(&amp;e)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="164" />
            <source>view(&amp;v)</source>
            <translation>affichage(&amp;v)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="166" />
            <source>icon(&amp;i)</source>
            <translation>icônes(&amp;i)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="170" />
            <source>window</source>
            <translation>fenêtres</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="177" />
            <source>option(&amp;o)</source>
            <translation>options(&amp;o)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="179" />
            <source>language</source>
            <translation>langue</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="185" />
            <source>help(&amp;h)</source>
            <translation>aide(&amp;h)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="187" />
            <source>document(&amp;d)</source>
            <translation>documentation(&amp;d)</translation>
        </message>
    </context>
    <context>
        <name>log_pane_menu</name>
        <message>
            <source>clear</source>
            <translation>effacer</translation>
        </message>
        <message>
            <source>only my commands</source>
            <translation>seulement mes commandes</translation>
        </message>
    </context>
</TS>
