<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CDeviceWidget</name>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="127"/>
        <source>No connection with the device!</source>
        <translation>Нет связи с прибором!</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="141"/>
        <source>Save Display Image...</source>
        <translation>Сохранить изображение дисплея...</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="142"/>
        <source>Save Panel Image...</source>
        <translation>Сохранить изображение панели...</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="155"/>
        <source>Save Panel Image</source>
        <translation>Сохранить изображение панели</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="155"/>
        <source>Save Display Image</source>
        <translation>Сохранить изображение дисплея</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="156"/>
        <source>PNG images (*.png)</source>
        <translation>Изображения PNG (*.png)</translation>
    </message>
    <message>
        <location filename="../../src/panel/devicewidget.cpp" line="165"/>
        <source>Cannot write the image file %1:
%2</source>
        <translation>Не удалось записать файл изображения %1:
%2</translation>
    </message>
</context>
<context>
    <name>CKV520DevicePaint</name>
    <message>
        <location filename="../../src/panel/kv520devicepaint.cpp" line="373"/>
        <source>Alarm! A strong signal detected!
Band: %1
Signal: %2
Pulse Level: %3 dBm</source>
        <translation>Тревога! Обнаружен сильный сигнал!
Диапазон: %1
Сигнал: %2
Импульсный уровень: %3 дБм</translation>
    </message>
    <message>
        <location filename="../../src/panel/kv520devicepaint.cpp" line="388"/>
        <source>KV521 Analyzer - Alarm!</source>
        <translation>KV521 Analyzer - Тревога!</translation>
    </message>
    <message>
        <location filename="../../src/panel/kv520devicepaint.cpp" line="388"/>
        <source>KV521 Analyzer - Monitor</source>
        <translation>KV521 Analyzer - Мониторинг</translation>
    </message>
</context>
</TS>
