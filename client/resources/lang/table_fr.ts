<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>date_time_wt</name>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="55"/>
        <source>time of day: hours:minutes:seconds, optionally with a fraction of the second</source>
        <translation>heure du jour : heures:minutes:secondes, avec en option une fraction de seconde</translation>
    </message>
    <message>
        <location filename="../../table/datetime_edit.cpp" line="56"/>
        <source>hh:mm:ss</source>
        <translation>hh:mm:ss</translation>
    </message>
</context>
</TS>
