<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>failure_box</name>
    <message>
        <source>the connection to the server is lost, reconnect now?</source>
        <translation>la connexion au serveur est perdue, se reconnecter maintenant ?</translation>
    </message>
</context>
<context>
    <name>cmd_file_tabs</name>
    <message>
        <source>the file "%1" cannot be written. Save its text elsewhere, discard the changes, or cancel closing?</source>
        <translation>le fichier « %1 » ne peut pas être écrit. Enregistrer son texte ailleurs, abandonner les modifications ou annuler la fermeture ?</translation>
    </message>
</context>
<context>
    <name>status_indicators</name>
    <message>
        <source>connected</source>
        <translation>connecté</translation>
    </message>
    <message>
        <source>disconnected: the connection to the server is lost, use reconnect</source>
        <translation>déconnecté : la connexion au serveur est perdue, utilisez reconnecter</translation>
    </message>
    <message>
        <source>user: %1, IP: %2, port: %3, %4</source>
        <translation>utilisateur : %1, IP : %2, port : %3, %4</translation>
    </message>
    <message>
        <source>the current script has an error; Ctrl+E goes to it</source>
        <translation>le script courant contient une erreur ; Ctrl+E y mène</translation>
    </message>
    <message>
        <source>the current script has no error</source>
        <translation>le script courant ne contient pas d'erreur</translation>
    </message>
    <message>
        <source>%1@%2:%3</source>
        <translation>%1@%2:%3</translation>
    </message>
</context>
</TS>
