<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>préférences du système</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>éditeur</translation>
    </message>
    <message>
        <source>update</source>
        <translation>mise à jour</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>appliquer(&amp;a)</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>annuler(&amp;c)</translation>
    </message>
    <message>
        <source> style</source>
        <translation> style</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>édition</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>complétion</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>aperçu</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>afficher les espaces</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>facteur horizontal</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>facteur vertical</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>thème</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> élégant</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>frais</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>détendu</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>réinitialiser(&amp;r)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>par défaut</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>mot-clé par défaut</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>mot-clé de lecture</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>mot-clé d'écriture</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>mot-clé suivant</translation>
    </message>
    <message>
        <source>function</source>
        <translation>fonction</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>nom de table</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>nom de champ</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>constante</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>commentaire</translation>
    </message>
    <message>
        <source>font</source>
        <translation>police</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>taille en points</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>Surligné</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>color</source>
        <translation>couleur</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>Largeur de tabulation :</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>Insérer des espaces</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>Édition continue en</translation>
    </message>
    <message>
        <source>second</source>
        <translation>seconde</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>Curseur d'édition</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>nombre minimal</translation>
    </message>
    <message>
        <source>Only Cmd</source>
        <translation>Commandes seules</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>Vérifier les mises à jour</translation>
    </message>
</context>
<context>
    <name>color_wt</name>
    <message>
        <source>more...</source>
        <translation>plus...</translation>
    </message>
    <message>
        <source>choose any colour</source>
        <translation>choisir une couleur quelconque</translation>
    </message>
    <message>
        <source>select color</source>
        <translation>choisir une couleur</translation>
    </message>
</context>
</TS>
