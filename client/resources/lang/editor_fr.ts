<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>editor</name>
    <message>
        <location filename="../../editor/editor.cpp" line="64"/>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="168"/>
        <source>find text in current windows</source>
        <translation>rechercher du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="179"/>
        <source>replace text in current windows</source>
        <translation>remplacer du texte dans la fenêtre courante</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="210"/>
        <source>undo</source>
        <translation>annuler</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="211"/>
        <source>redo</source>
        <translation>rétablir</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="212"/>
        <source>cut</source>
        <translation>couper</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="213"/>
        <source>copy</source>
        <translation>copier</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="214"/>
        <source>paste</source>
        <translation>coller</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="215"/>
        <source>delete selection</source>
        <translation>supprimer la sélection</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="216"/>
        <source>select all</source>
        <translation>tout sélectionner</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="217"/>
        <source>select line</source>
        <translation>sélectionner la ligne</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="218"/>
        <source>select word</source>
        <translation>sélectionner le mot</translation>
    </message>
    <message>
        <location filename="../../editor/editor_edit_ops.cpp" line="219"/>
        <source>go to error position</source>
        <translation>aller à la position de l&apos;erreur</translation>
    </message>
</context>
</TS>
