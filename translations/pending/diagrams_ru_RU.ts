<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CQDiagramWidget</name>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="451"/>
        <source>Cursor values</source>
        <translation>Значения под курсором</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="460"/>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="461"/>
        <source> = n/a</source>
        <translation> = н/д</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="555"/>
        <source>3 minutes</source>
        <translation>3 минуты</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="555"/>
        <source>10 minutes</source>
        <translation>10 минут</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="556"/>
        <source>20 minutes</source>
        <translation>20 минут</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="556"/>
        <source>30 minutes</source>
        <translation>30 минут</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="557"/>
        <source>1 hour</source>
        <translation>1 час</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="557"/>
        <source>2 hours</source>
        <translation>2 часа</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="558"/>
        <source>3 hours</source>
        <translation>3 часа</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="558"/>
        <source>6 hours</source>
        <translation>6 часов</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qdiagramwidget.cpp" line="747"/>
        <source>Min = %1&lt;br&gt;Max = %2</source>
        <translation>Мин. = %1&lt;br&gt;Макс. = %2</translation>
    </message>
</context>
<context>
    <name>CQTimeDiagramBase</name>
    <message>
        <location filename="../../src/diagrams/qtimediagrambase.cpp" line="225"/>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qtimediagrambase.cpp" line="240"/>
        <source>Min = %1 dBm&lt;br&gt;Max = %2 dBm&lt;br&gt;Visible range = %3 dBm</source>
        <translation>Мин. = %1 дБм&lt;br&gt;Макс. = %2 дБм&lt;br&gt;Видимый диапазон = %3 дБм</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qtimediagrambase.cpp" line="271"/>
        <source>Date/Time: %1&lt;br&gt;Level: %2 dBm</source>
        <translation>Дата/время: %1&lt;br&gt;Уровень: %2 дБм</translation>
    </message>
    <message>
        <location filename="../../src/diagrams/qtimediagrambase.cpp" line="280"/>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
</context>
<context>
    <name>CQTimeRectsDiagram</name>
    <message>
        <location filename="../../src/diagrams/qtimerectsdiagram.cpp" line="207"/>
        <source>Date/Time: %1&lt;br&gt;Duration: %2&lt;br&gt;Level: %3 dBm</source>
        <translation>Дата/время: %1&lt;br&gt;Длительность: %2&lt;br&gt;Уровень: %3 дБм</translation>
    </message>
</context>
</TS>
