<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CManualWindowClass</name>
    <message>
        <location filename="../../forms/manualwindow.ui" line="14"/>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <location filename="../../forms/manualwindow.ui" line="43"/>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <location filename="../../forms/manualwindow.ui" line="69"/>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
</context>
</TS>
