<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CKV520LevelsDialog</name>
    <message>
        <location filename="../../src/settings/kv520levelsdialog.cpp" line="92"/>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
</context>
<context>
    <name>CKV520LevelsDialogClass</name>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="14"/>
        <source>Individual Levels Setup</source>
        <translation>Настройка индивидуальных уровней</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="20"/>
        <source>Relative Signal Level</source>
        <translation>Относительный уровень сигнала</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="32"/>
        <location filename="../../forms/kv520levelsdialog.ui" line="179"/>
        <source>1st Band</source>
        <translation>1-й диапазон</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="39"/>
        <location filename="../../forms/kv520levelsdialog.ui" line="186"/>
        <source>2nd Band</source>
        <translation>2-й диапазон</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="46"/>
        <location filename="../../forms/kv520levelsdialog.ui" line="193"/>
        <source>Constant Component</source>
        <translation>Постоянная составляющая</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="53"/>
        <location filename="../../forms/kv520levelsdialog.ui" line="200"/>
        <source>Pulse Component</source>
        <translation>Импульсная составляющая</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="167"/>
        <source>Absolute Signal Level</source>
        <translation>Абсолютный уровень сигнала</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="342"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../forms/kv520levelsdialog.ui" line="349"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CKV520MenuDialog</name>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="192"/>
        <location filename="../../src/settings/kv520menudialog.cpp" line="205"/>
        <location filename="../../src/settings/kv520menudialog.cpp" line="261"/>
        <source>KV521 Analyzer</source>
        <translation>KV521 Analyzer</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="206"/>
        <source>Do you really want to reset device settings to factory defaults?</source>
        <translation>Вы действительно хотите сбросить настройки прибора к заводским?</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="216"/>
        <source>Open Saved Menu Data</source>
        <translation>Открыть сохранённые настройки меню</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="217"/>
        <location filename="../../src/settings/kv520menudialog.cpp" line="231"/>
        <source>Menu Files (*.mnu)</source>
        <translation>Файлы меню (*.mnu)</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="222"/>
        <source>Cannot read the menu file &quot;%1&quot;.</source>
        <translation>Не удалось прочитать файл меню «%1».</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="230"/>
        <source>Save Menu Data</source>
        <translation>Сохранить настройки меню</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="236"/>
        <source>Cannot save the menu file &quot;%1&quot;.</source>
        <translation>Не удалось сохранить файл меню «%1».</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="261"/>
        <source>Do you really want to clear all log records?</source>
        <translation>Вы действительно хотите удалить все записи журнала?</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="277"/>
        <source>30 sec</source>
        <translation>30 с</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="277"/>
        <source>2 min</source>
        <translation>2 мин</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="277"/>
        <source>10 min</source>
        <translation>10 мин</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="278"/>
        <source>20 min</source>
        <translation>20 мин</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="278"/>
        <source>60 min</source>
        <translation>60 мин</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="285"/>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="290"/>
        <location filename="../../src/settings/kv520menudialog.cpp" line="302"/>
        <source>%1s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="309"/>
        <source>%1%2 s</source>
        <translation>%1%2 с</translation>
    </message>
    <message>
        <location filename="../../src/settings/kv520menudialog.cpp" line="314"/>
        <location filename="../../src/settings/kv520menudialog.cpp" line="319"/>
        <source>%1 h</source>
        <translation>%1 ч</translation>
    </message>
</context>
<context>
    <name>CKV520MenuDialogClass</name>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="14"/>
        <source>Device Menu</source>
        <translation>Меню прибора</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="30"/>
        <source>Range &amp;&amp; Logging</source>
        <translation>Диапазон и журнал</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="36"/>
        <source>Range</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="42"/>
        <source>Enable Range 1</source>
        <translation>Включить диапазон 1</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="49"/>
        <source>Enable Range 2</source>
        <translation>Включить диапазон 2</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="56"/>
        <source>Enable Low Path Filter (LPF)</source>
        <translation>Включить фильтр нижних частот (ФНЧ)</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="63"/>
        <source>Freqmeter priority</source>
        <translation>Приоритет частотомера</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="102"/>
        <source>Logging</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="108"/>
        <source>Enable Logging</source>
        <translation>Вести журнал</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="115"/>
        <source>Sort Order</source>
        <translation>Порядок сортировки</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="121"/>
        <source>By Time</source>
        <translation>По времени</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="128"/>
        <source>By Level</source>
        <translation>По уровню</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="135"/>
        <source>By Frequency Range</source>
        <translation>По диапазону частот</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="142"/>
        <source>By Duration</source>
        <translation>По длительности</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="167"/>
        <source>Clear Log</source>
        <translation>Очистить журнал</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="179"/>
        <source>Recorder</source>
        <translation>Регистратор</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="185"/>
        <location filename="../../forms/kv520menudialog.ui" line="710"/>
        <source>Enable</source>
        <translation>Включить</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="192"/>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="248"/>
        <source>Monitor</source>
        <translation>Монитор</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="254"/>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="260"/>
        <source>Common relative signal level</source>
        <translation>Общий относительный уровень сигнала</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="296"/>
        <source>Individual signals levels</source>
        <translation>Индивидуальные уровни сигналов</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="303"/>
        <source>Setup...</source>
        <translation>Настройка...</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="310"/>
        <source>Delay</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="346"/>
        <source>Frequency Capture</source>
        <translation>Захват частоты</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="358"/>
        <source>Indication</source>
        <translation>Индикация</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="364"/>
        <location filename="../../forms/kv520menudialog.ui" line="552"/>
        <source>Display</source>
        <translation>Дисплей</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="371"/>
        <source>Hold</source>
        <translation>Удержание</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="378"/>
        <source>Vibro</source>
        <translation>Вибро</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="401"/>
        <source>Signals</source>
        <translation>Сигналы</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="407"/>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="414"/>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="421"/>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="428"/>
        <source>WLAN</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="451"/>
        <source>Sensitivity</source>
        <translation>Чувствительность</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="457"/>
        <source>High</source>
        <translation>Высокая</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="464"/>
        <source>Middle</source>
        <translation>Средняя</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="471"/>
        <source>Low</source>
        <translation>Низкая</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="510"/>
        <source>System</source>
        <translation>Система</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="516"/>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="522"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="558"/>
        <source>Brightness</source>
        <translation>Яркость</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="591"/>
        <source>Display Auto-Off</source>
        <translation>Автовыключение дисплея</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="624"/>
        <source>Display Auto-On</source>
        <translation>Автовключение дисплея</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="631"/>
        <source>Key Tone</source>
        <translation>Звук клавиш</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="641"/>
        <source>Clock</source>
        <translation>Часы</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="647"/>
        <source>Set Clock</source>
        <translation>Установить часы</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="661"/>
        <source>Sync with PC</source>
        <translation>Синхронизировать с ПК</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="668"/>
        <source>Time Correction</source>
        <translation>Коррекция времени</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="704"/>
        <source>Schedule</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="717"/>
        <source>Start Time</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="750"/>
        <source>Stop Time</source>
        <translation>Время окончания</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="783"/>
        <source>Everyday</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="812"/>
        <source>Defaults</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="819"/>
        <source>Load...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="826"/>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="846"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../forms/kv520menudialog.ui" line="853"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
</TS>
