<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>chart_pane</name>
    <message>
        <source>chart</source>
        <translation>graphique</translation>
    </message>
    <message>
        <source>show the chart of the time series beside the grid</source>
        <translation>afficher le graphique de la série temporelle à côté de la grille</translation>
    </message>
</context>
</TS>
