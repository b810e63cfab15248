<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>view_follow</name>
    <message>
        <source>follow</source>
        <translation>suivre</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>How often to look for new rows</source>
        <translation>Fréquence de recherche des nouvelles lignes</translation>
    </message>
    <message>
        <source>Add the table's new rows as they arrive, keeping the end time at the newest one</source>
        <translation>Ajouter les nouvelles lignes de la table dès leur arrivée, en gardant l'heure de fin sur la plus récente</translation>
    </message>
    <message>
        <source>follow stopped: %1</source>
        <translation>suivi arrêté : %1</translation>
    </message>
    <message>
        <source>follow paused: apply or discard the pending edits to go on</source>
        <translation>suivi en pause : appliquez ou abandonnez les modifications en attente pour continuer</translation>
    </message>
    <message>
        <source>the server lists no time range for the table</source>
        <translation>le serveur n'indique aucune plage de temps pour la table</translation>
    </message>
    <message>
        <source>the view failed: %1</source>
        <translation>la vue a échoué : %1</translation>
    </message>
    <message>
        <source>the view's columns differ from the grid's</source>
        <translation>les colonnes de la vue diffèrent de celles de la grille</translation>
    </message>
</context>
</TS>
