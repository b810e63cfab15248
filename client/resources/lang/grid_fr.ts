<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>apply_question</name>
    <message>
        <source>Row %1 shares its time point with other rows: its update changes %2 rows.</source>
        <translation>La ligne %1 partage son instant avec d’autres lignes : sa mise à jour modifie %2 lignes.</translation>
    </message>
    <message>
        <source>Apply the changes anyway?</source>
        <translation>Appliquer les modifications quand même ?</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
</context>
<context>
    <name>grid_copy</name>
    <message>
        <source>copy</source>
        <translation>copier</translation>
    </message>
    <message>
        <source>copy the selected cells with their column names, for a spreadsheet</source>
        <translation>copier les cellules sélectionnées avec le nom de leurs colonnes, pour un tableur</translation>
    </message>
</context>
</TS>
