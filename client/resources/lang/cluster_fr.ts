<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>cluster_dlg</name>
    <message>
        <source>cluster  node manager</source>
        <translation>gestionnaire des nœuds du cluster</translation>
    </message>
    <message>
        <source>master ip</source>
        <translation>IP du maître</translation>
    </message>
    <message>
        <source>master port</source>
        <translation>port du maître</translation>
    </message>
    <message>
        <source>reconnect(&amp;c)</source>
        <translation>reconnecter(&amp;c)</translation>
    </message>
    <message>
        <source>close</source>
        <translation>fermer</translation>
    </message>
    <message>
        <source>TSDB service</source>
        <translation>service TSDB</translation>
    </message>
    <message>
        <source>cluster service</source>
        <translation>service du cluster</translation>
    </message>
    <message>
        <source>update time</source>
        <translation>intervalle de mise à jour</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minute</translation>
    </message>
    <message>
        <source>auto update</source>
        <translation>mise à jour automatique</translation>
    </message>
    <message>
        <source>join node(&amp;j)</source>
        <translation>joindre le nœud(&amp;j)</translation>
    </message>
    <message>
        <source>detach node(&amp;d)</source>
        <translation>détacher le nœud(&amp;d)</translation>
    </message>
    <message>
        <source>new node(&amp;a)</source>
        <translation>nouveau nœud(&amp;a)</translation>
    </message>
    <message>
        <source>shutdown cluster(&amp;s)</source>
        <translation>arrêter le cluster(&amp;s)</translation>
    </message>
    <message>
        <source>modify node(&amp;q)</source>
        <translation>modifier le nœud(&amp;q)</translation>
    </message>
    <message>
        <source>group(&amp;g)</source>
        <translation>grouper(&amp;g)</translation>
    </message>
    <message>
        <source>connect to cluster infomation</source>
        <translation>connexion au cluster</translation>
    </message>
    <message>
        <source>Connect to the master &apos;%1&apos; failed!</source>
        <translation>La connexion au maître &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>query cluster infomation</source>
        <translation>interrogation du cluster</translation>
    </message>
    <message>
        <source>Query from the master &apos;%1&apos; failed!</source>
        <translation>L&apos;interrogation du maître &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>Query node &apos;%1&apos; from the master failed!</source>
        <translation>L&apos;interrogation du nœud &apos;%1&apos; auprès du maître a échoué !</translation>
    </message>
    <message>
        <source>join cluster infomation</source>
        <translation>adhésion au cluster</translation>
    </message>
    <message>
        <source>detach cluster infomation</source>
        <translation>détachement du cluster</translation>
    </message>
    <message>
        <source>connect to the node &apos;%1&apos; failed!</source>
        <translation>La connexion au nœud &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>join to the cluster successful!</source>
        <translation>Adhésion au cluster réussie !</translation>
    </message>
    <message>
        <source>detach from the cluster successful!</source>
        <translation>Détachement du cluster réussi !</translation>
    </message>
    <message>
        <source>join to the cluster failed!</source>
        <translation>L&apos;adhésion au cluster a échoué !</translation>
    </message>
    <message>
        <source>detach from the cluster failed!</source>
        <translation>Le détachement du cluster a échoué !</translation>
    </message>
    <message>
        <source>cluster infomation</source>
        <translation>informations du cluster</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; will quit all cluster, do you want continue?</source>
        <translation>Arrêter le maître &apos;%1&apos; arrêtera tout le cluster, voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; failed!</source>
        <translation>L&apos;arrêt du maître &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>service infomation</source>
        <translation>informations du service</translation>
    </message>
    <message>
        <source>cluster service infomation</source>
        <translation>informations du service du cluster</translation>
    </message>
    <message>
        <source>Stop the cluster will quit all connection and must restart all(include tsdb service) again, do you want continue?</source>
        <translation>Arrêter le cluster fermera toutes les connexions et il faudra tout redémarrer (service TSDB compris), voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>waiting for the service manager</source>
        <translation>attente du gestionnaire de services</translation>
    </message>
    <message>
        <source>The list holds nodes added or changed here that the master does not know yet (%1). Reconnecting lists the master&apos;s nodes only and drops them. Reconnect anyway?</source>
        <translation>La liste contient des nœuds ajoutés ou modifiés ici que le maître ne connaît pas encore (%1). La reconnexion n&apos;affiche que les nœuds du maître et les abandonne. Se reconnecter quand même ?</translation>
    </message>
    <message>
        <source>waiting for the master &apos;%1&apos;</source>
        <translation>attente du maître &apos;%1&apos;</translation>
    </message>
    <message>
        <source>waiting for the service &apos;%1&apos;</source>
        <translation>attente du service &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>node_params_dlg</name>
    <message>
        <source>node paramters setting</source>
        <translation>paramètres du nœud</translation>
    </message>
    <message>
        <source>join</source>
        <translation>joindre</translation>
    </message>
    <message>
        <source>as master</source>
        <translation>comme maître</translation>
    </message>
    <message>
        <source>use space</source>
        <translation>espace utilisé</translation>
    </message>
    <message>
        <source>group id</source>
        <translation>identifiant de groupe</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>max space</source>
        <translation>espace maximal</translation>
    </message>
    <message>
        <source>Nodes join the cluster through the master. A node added or changed here stays in this list only until you join it (&quot;join node&quot;); reconnecting to the master drops it.</source>
        <translation>Les nœuds rejoignent le cluster par le maître. Un nœud ajouté ou modifié ici reste seulement dans cette liste jusqu&apos;à ce que vous le joigniez (« joindre le nœud ») ; une reconnexion au maître l&apos;abandonne.</translation>
    </message>
    <message>
        <source>A node named &apos;%1&apos; is already in the list.</source>
        <translation>Un nœud nommé &apos;%1&apos; figure déjà dans la liste.</translation>
    </message>
    <message>
        <source>The address %1:%2 is already in the list (node &apos;%3&apos;).</source>
        <translation>L&apos;adresse %1:%2 figure déjà dans la liste (nœud &apos;%3&apos;).</translation>
    </message>
</context>
<context>
    <name>service_control</name>
    <message>
        <source>Open the service manager failed!</source>
        <translation>L&apos;ouverture du gestionnaire de services a échoué !</translation>
    </message>
    <message>
        <source>Open the service &apos;%1&apos; failed!</source>
        <translation>L&apos;ouverture du service &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>Query the service &apos;%1&apos; failed!</source>
        <translation>L&apos;interrogation du service &apos;%1&apos; a échoué !</translation>
    </message>
    <message>
        <source>Timeout waiting for the service &apos;%1&apos; to stop</source>
        <translation>Délai dépassé en attendant l&apos;arrêt du service &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is running</source>
        <translation>Le service &apos;%1&apos; est en cours d&apos;exécution</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start failed</source>
        <translation>Le démarrage du service &apos;%1&apos; a échoué</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start successful</source>
        <translation>Le service &apos;%1&apos; a démarré avec succès</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is stoped</source>
        <translation>Le service &apos;%1&apos; est arrêté</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop failed</source>
        <translation>L&apos;arrêt du service &apos;%1&apos; a échoué</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop successful</source>
        <translation>Le service &apos;%1&apos; a été arrêté avec succès</translation>
    </message>
</context>
<context>
    <name>wait_note</name>
    <message>
        <source>%1 (%2 s)</source>
        <translation>%1 (%2 s)</translation>
    </message>
</context>
</TS>
