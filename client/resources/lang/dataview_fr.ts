<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>data_view</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>Number Display Mode</source>
        <translation>Mode d'affichage des nombres</translation>
    </message>
    <message>
        <source>Nor</source>
        <translation>Nor</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Déc</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>Bin</translation>
    </message>
    <message>
        <source>max k</source>
        <translation>max k</translation>
    </message>
    <message>
        <source>Begin Time</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End   Time</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>export</source>
        <translation>export</translation>
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
        <source>filter this</source>
        <translation>filtrer sur ceci</translation>
    </message>
    <message>
        <source>append filter</source>
        <translation>ajouter au filtre</translation>
    </message>
    <message>
        <source>find text</source>
        <translation>rechercher du texte</translation>
    </message>
    <message>
        <source>replace text</source>
        <translation>remplacer du texte</translation>
    </message>
    <message>
        <source>export view data</source>
        <translation>exporter les données de la vue</translation>
    </message>
    <message>
        <source>applying the changes to table '%1'</source>
        <translation>application des modifications à la table '%1'</translation>
    </message>
    <message>
        <source>apply result</source>
        <translation>résultat de l'application</translation>
    </message>
    <message>
        <source>apply changes to table '%1' is %2!</source>
        <translation>l'application des modifications à la table '%1' a %2 !</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>été annulée</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>%1 of %2 commands went to the server.</source>
        <translation>%1 commandes sur %2 sont parties vers le serveur.</translation>
    </message>
    <message>
        <source>This command failed: %1</source>
        <translation>Cette commande a échoué : %1</translation>
    </message>
    <message>
        <source>pending changes</source>
        <translation>modifications en attente</translation>
    </message>
    <message>
        <source>%1 edited or added rows are not applied yet, and a new view drops them. Apply them first?</source>
        <translation>%1 lignes modifiées ou ajoutées ne sont pas encore appliquées, et une nouvelle vue les abandonne. Les appliquer d'abord ?</translation>
    </message>
    <message>
        <source>The changes that did not go are dropped by the reload.</source>
        <translation>Les modifications non envoyées sont perdues au rechargement.</translation>
    </message>
    <message>
        <source>%1 edited or added rows of table '%2' are not applied yet.</source>
        <translation>%1 lignes modifiées ou ajoutées de la table '%2' ne sont pas encore appliquées.</translation>
    </message>
</context>
<context>
    <name>view_export</name>
    <message>
        <source>export table result</source>
        <translation>résultat de l'export de la table</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>l'export de la table '%1' vers le fichier '%2' a %3 !</translation>
    </message>
    <message>
        <source>successful</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
</context>
<context>
    <name>window_closing</name>
    <message>
        <source>pending changes</source>
        <translation>modifications en attente</translation>
    </message>
    <message>
        <source>Apply sends them and then closes the window, Discard drops them, Cancel keeps the window open.</source>
        <translation>« Appliquer » les envoie puis ferme la fenêtre, « Ne pas tenir compte » les abandonne, « Annuler » garde la fenêtre ouverte.</translation>
    </message>
</context>
<context>
    <name>load_size</name>
    <message>
        <source>load every row</source>
        <translation>charger toutes les lignes</translation>
    </message>
    <message>
        <source>Table '%1' has %2 rows. Loading them all takes about %3 of memory, more than a quarter of this machine's %4.

Load every row anyway?</source>
        <translation>La table '%1' a %2 lignes. Les charger toutes prend environ %3 de mémoire, plus du quart des %4 de cette machine.

Charger quand même toutes les lignes ?</translation>
    </message>
</context>
</TS>
