<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="23"/>
        <source>cmd files (*.tcd);;all files (*.*)</source>
        <translation>fichiers de commandes (*.tcd);;tous les fichiers (*.*)</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="122"/>
        <source>set cmd file&apos;s location</source>
        <translation>choisir l&apos;emplacement du fichier de commandes</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="139"/>
        <source>open cmd file to script editor</source>
        <translation>ouvrir un fichier de commandes dans l&apos;éditeur de scripts</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="154"/>
        <source>file not exists</source>
        <translation>fichier inexistant</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="155"/>
        <source>the file is not exists do your want to create new file?</source>
        <translation>le fichier n&apos;existe pas, voulez-vous créer un nouveau fichier ?</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="204"/>
        <source>save as cmd file to location</source>
        <translation>enregistrer le fichier de commandes sous</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="213"/>
        <source>file path is same</source>
        <translation>chemin identique</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="214"/>
        <source>the selected path is same as original!</source>
        <translation>le chemin choisi est identique à l&apos;original !</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="220"/>
        <source>file is open</source>
        <translation>fichier déjà ouvert</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="221"/>
        <source>the selected file is open in another tab!</source>
        <translation>le fichier choisi est ouvert dans un autre onglet !</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="258"/>
        <source>save file result</source>
        <translation>résultat de l&apos;enregistrement</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="259"/>
        <source>save file &quot;%1&quot; is failed, the file stays open!</source>
        <translation>l&apos;enregistrement du fichier « %1 » a échoué, le fichier reste ouvert !</translation>
    </message>
</context>
<context>
    <name>cmd_script_editor</name>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="58"/>
        <source>execute(&amp;e)</source>
        <translation>exécuter(&amp;e)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="60"/>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="83"/>
        <source>copy current text</source>
        <translation>copier le texte courant</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="84"/>
        <source>close all</source>
        <translation>tout fermer</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="85"/>
        <source>close current</source>
        <translation>fermer l&apos;onglet courant</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="86"/>
        <source>export current data</source>
        <translation>exporter les données courantes</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="87"/>
        <location filename="../../script/cmd_script_editor.cpp" line="342"/>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>exporter le résultat de la fenêtre courante vers un fichier csv/csvs</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="223"/>
        <location filename="../../script/cmd_script_editor.cpp" line="228"/>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>execute infomation</source>
        <translation>information d&apos;exécution</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="224"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>l&apos;exécution de la commande « %1 » a échoué !</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="229"/>
        <source>the cmd execute is cancelled after %1 of %2 commands!</source>
        <translation>exécution annulée après %1 commandes sur %2 !</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>the cmd execute sussesful total!</source>
        <translation>toutes les commandes ont été exécutées avec succès !</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="252"/>
        <source>find text</source>
        <translation>rechercher du texte</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="253"/>
        <source>ctrl+shift+f</source>
        <translation>ctrl+shift+f</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="344"/>
        <source>csv files (*.csv);;csvs files (*.csvs)</source>
        <translation>fichiers csv (*.csv);;fichiers csvs (*.csvs)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="350"/>
        <source>export data result</source>
        <translation>résultat de l&apos;exportation</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="351"/>
        <source>export current data to file &apos;%1&apos; is %2!</source>
        <translation>l&apos;exportation des données courantes vers le fichier « %1 » : %2 !</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>successful</source>
        <translation>réussie</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>failed</source>
        <translation>échouée</translation>
    </message>
</context>
<context>
    <name>exec_cmd_file</name>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="33"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="38"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>execute infomation</source>
        <translation>information d&apos;exécution</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="34"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>l&apos;exécution de la commande « %1 » a échoué !</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="39"/>
        <source>the cmd execute is cancelled after %1 of %2 lines!</source>
        <translation>exécution annulée après %1 lignes sur %2 !</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>the cmd execute sussesful total!</source>
        <translation>toutes les commandes ont été exécutées avec succès !</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="50"/>
        <source>open cmd file to execute</source>
        <translation>ouvrir un fichier de commandes à exécuter</translation>
    </message>
</context>
<context>
    <name>script_runner</name>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>executing commands...</source>
        <translation>exécution des commandes...</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="86"/>
        <source>execute infomation</source>
        <translation>information d&apos;exécution</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="97"/>
        <source>%1 of %2 commands done</source>
        <translation>%1 commandes sur %2 exécutées</translation>
    </message>
</context>
</TS>
