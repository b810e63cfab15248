<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>search_form</name>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>Tout rechercher</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Tout remplacer</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>Mot entier</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>Prise en charge (\n,\r,\x)</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>Sélection seulement</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Colonne</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>résultat de la recherche</translation>
    </message>
    <message>
        <source>the regular expression '%1' is not valid: %2</source>
        <translation>l'expression régulière '%1' n'est pas valide : %2</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>résultat de la recherche suivante</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>résultat de la recherche précédente</translation>
    </message>
    <message>
        <source>the string '%1' not found.</source>
        <translation>la chaîne '%1' est introuvable.</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from begin?</source>
        <translation>la chaîne '%1' est introuvable. continuer depuis le début ?</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from end?</source>
        <translation>la chaîne '%1' est introuvable. continuer depuis la fin ?</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>recherche suivante</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>recherche précédente</translation>
    </message>
    <message>
        <source>the string '%1' found %2 times.</source>
        <translation>la chaîne '%1' a été trouvée %2 fois.</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>résultat du remplacement</translation>
    </message>
    <message>
        <source>the string '%1' %2 times replaced.</source>
        <translation>la chaîne '%1' a été remplacée %2 fois.</translation>
    </message>
</context>
<context>
    <name>text_search</name>
    <message>
        <source>%1 at offset %2</source>
        <translation>%1 à la position %2</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>find text in current windows</source>
        <translation>rechercher du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>remplacer du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>résultat de la recherche</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>find text in current table</source>
        <translation>rechercher du texte dans la table courante</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>remplacer du texte dans la table courante</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>résultat du remplacement</translation>
    </message>
    <message>
        <source>the text '%1' is not a valid %2 value (row %3, column '%4'); nothing is replaced.</source>
        <translation>le texte '%1' n'est pas une valeur %2 valide (ligne %3, colonne '%4') ; rien n'est remplacé.</translation>
    </message>
    <message>
        <source>the string '%1' is found only in columns that cannot be replaced: %2.</source>
        <translation>la chaîne '%1' ne se trouve que dans des colonnes qui ne peuvent pas être remplacées : %2.</translation>
    </message>
</context>
</TS>
