<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>restore unsaved changes</source>
        <translation>restaurer les modifications non enregistrées</translation>
    </message>
    <message>
        <source>the client ended without saving the changes of &quot;%1&quot; (last change %2 ago).
%3
Yes puts them into its tab, where they wait to be saved; No discards them.</source>
        <translation>le client s'est arrêté sans enregistrer les modifications de « %1 » (dernière modification il y a %2).
%3
Oui les remet dans son onglet, où elles attendent d'être enregistrées ; Non les abandonne.</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
</context>
</TS>
