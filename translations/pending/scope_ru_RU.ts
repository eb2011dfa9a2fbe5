<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>COscFilterDialog</name>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="14"/>
        <source>Oscilloscope Filter</source>
        <translation>Фильтр осциллографа</translation>
    </message>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="35"/>
        <source>Enable filter</source>
        <translation>Включить фильтр</translation>
    </message>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="62"/>
        <source>Up smooth coefficient</source>
        <translation>Коэффициент сглаживания роста</translation>
    </message>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="72"/>
        <source>Down smooth coefficient</source>
        <translation>Коэффициент сглаживания спада</translation>
    </message>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="103"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../forms/oscfilterdialog.ui" line="113"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscfilterdialog.cpp" line="63"/>
        <source>The smooth coefficients must be numbers not less than 1.</source>
        <translation>Коэффициенты сглаживания должны быть числами не меньше 1.</translation>
    </message>
</context>
<context>
    <name>COscilloscopeWindow</name>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="20"/>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="61"/>
        <source>Oscilloscope</source>
        <translation>Осциллограф</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="57"/>
        <source>Trigger</source>
        <translation>Триггер</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="67"/>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="216"/>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="74"/>
        <source>Reset axis X state</source>
        <translation>Сбросить состояние оси X</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="77"/>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="84"/>
        <source>Filter...</source>
        <translation>Фильтр...</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="91"/>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="211"/>
        <source>Filter disabled</source>
        <translation>Фильтр выключен</translation>
    </message>
    <message>
        <location filename="../../forms/oscilloscopewindow.ui" line="111"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="62"/>
        <source>Threshold</source>
        <translation>Порог</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="63"/>
        <source>Average</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="64"/>
        <source>Integral</source>
        <translation>Интеграл</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="65"/>
        <source>Max</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="211"/>
        <source>Filter enabled</source>
        <translation>Фильтр включён</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="216"/>
        <source>Resume</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="281"/>
        <source>Set Trigger Level</source>
        <translation>Установить уровень триггера</translation>
    </message>
    <message>
        <location filename="../../src/scope/oscilloscopewindow.cpp" line="283"/>
        <source>Toggle Delta Cursor</source>
        <translation>Дельта-курсор</translation>
    </message>
</context>
<context>
    <name>CQOscilloscopeDiagram</name>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="188"/>
        <source> dB</source>
        <translation> дБ</translation>
    </message>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="220"/>
        <source> ms</source>
        <translation> мс</translation>
    </message>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="320"/>
        <source>Min = %1 dB&lt;br&gt;Max = %2 dB&lt;br&gt;Visible range = %3 dB</source>
        <translation>Мин = %1 дБ&lt;br&gt;Макс = %2 дБ&lt;br&gt;Видимый диапазон = %3 дБ</translation>
    </message>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="334"/>
        <source>&lt;b&gt;Delta Cursor&lt;/b&gt;&lt;br&gt;Start: %1 ms&lt;br&gt;End: %2 ms&lt;br&gt;Difference: %3 ms (%4 Hz)</source>
        <translation>&lt;b&gt;Дельта-курсор&lt;/b&gt;&lt;br&gt;Начало: %1 мс&lt;br&gt;Конец: %2 мс&lt;br&gt;Разница: %3 мс (%4 Гц)</translation>
    </message>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="341"/>
        <source>&lt;b&gt;Delta Cursor&lt;/b&gt;&lt;br&gt;Start: %1 ms&lt;br&gt;End: %2 ms&lt;br&gt;Difference: %3 ms</source>
        <translation>&lt;b&gt;Дельта-курсор&lt;/b&gt;&lt;br&gt;Начало: %1 мс&lt;br&gt;Конец: %2 мс&lt;br&gt;Разница: %3 мс</translation>
    </message>
    <message>
        <location filename="../../src/scope/qoscilloscopediagram.cpp" line="349"/>
        <source>Position: %1 ms&lt;br&gt;Level: %3 dB</source>
        <translation>Положение: %1 мс&lt;br&gt;Уровень: %3 дБ</translation>
    </message>
</context>
</TS>
