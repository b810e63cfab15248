<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>wait_notice</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>stop waiting: the connection is closed and can be made again</source>
        <translation>cesser d'attendre : la connexion est fermée et peut être rétablie</translation>
    </message>
    <message>
        <source>waiting for the server's answer: %1 s</source>
        <translation>attente de la réponse du serveur : %1 s</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>quit</source>
        <translation>quitter</translation>
    </message>
    <message>
        <source>a command is still waiting for the server's answer; stop waiting and quit?</source>
        <translation>une commande attend encore la réponse du serveur ; cesser d'attendre et quitter ?</translation>
    </message>
</context>
</TS>
